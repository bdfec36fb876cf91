// A source file held in memory with the start of each of its lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Shared headers are reached from many analysed files, each needing lines anywhere in them; with
// the line starts found once, a line is reached without scanning the text before it again.
class SourceText {
public:
    explicit SourceText(std::string bytes);

    const std::string& bytes() const { return bytes_; }
    // The number of lines that end with a LF.
    std::size_t terminatedLines() const { return lineStarts_.size() - 1; }
    // Where the 1-based line starts; line terminatedLines() + 1 starts after the last LF.
    std::size_t lineStart(std::size_t line) const { return lineStarts_[line - 1]; }
    // The memory held, for the cache's bound.
    std::size_t footprint() const { return bytes_.size() + lineStarts_.size() * sizeof(std::size_t); }

private:
    std::string bytes_;
    std::vector<std::size_t> lineStarts_;  // line 1 at 0, then after every LF
};
