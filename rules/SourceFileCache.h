// The bytes of source files, read whole and kept for later files of the same run up to a bound.
#pragma once

#include "SourceText.h"

#include <cstddef>
#include <memory>
#include <string>

// Headers are shared by many analysed files; each is read from disk once per run as long as the
// cache holds it. The cache keeps at most kMaxBytes of text and line starts (least recently used files go first),
// so the memory it takes does not grow with the number of files processed.
class SourceFileCache {
public:
    static constexpr std::size_t kMaxBytes = 8u << 20;

    // The whole content of the file, or null when it cannot be opened. A read error ends the text
    // where it happened, as a stream that reports end of file there.
    static std::shared_ptr<const SourceText> load(const std::string& path);
    // Forgets every file (for tests, and for files that change between runs in one process).
    static void clear();
};
