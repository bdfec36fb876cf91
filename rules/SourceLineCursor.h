// Forward reading of the lines of an in-memory source file, with the line ends of text mode.
#pragma once

#include "SourceText.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Behaves exactly as reading the file line by line with TextLineReader while it is not at its end:
// a CR directly before a LF is dropped, a last line without a LF is delivered (and sets the end),
// and a read at the very end finds nothing, empties the text and sets the end. Lines that are
// passed over are neither read nor copied: the text's line starts lead to the target directly.
class SourceLineCursor {
public:
    explicit SourceLineCursor(std::shared_ptr<const SourceText> text) : text_(std::move(text)) {}

    // Reads lines while fewer than the target have been read and the end was not reached.
    void advanceTo(std::int32_t targetLine);
    // The text of the last line read (empty before the first read and after a read found nothing).
    const std::string& text();
    std::int32_t lineNumber() const { return lineNumber_; }

private:
    std::shared_ptr<const SourceText> text_;
    bool atEnd_ = false;
    std::int32_t lineNumber_ = 0;
    // The last line read as a range of the text, copied into current_ only when asked for.
    std::size_t lineStart_ = 0;
    std::size_t lineLength_ = 0;
    bool copied_ = true;
    std::string current_;
};
