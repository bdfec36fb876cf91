// Line stepping over a whole source file held in memory.
#include "SourceLineCursor.h"

void SourceLineCursor::advanceTo(std::int32_t targetLine)
{
    if (targetLine <= lineNumber_ || atEnd_)
        return;
    const SourceText& text = *text_;
    const std::size_t size = text.bytes().size();
    const std::size_t terminated = text.terminatedLines();
    const auto target = static_cast<std::size_t>(targetLine);
    copied_ = false;
    if (target <= terminated) { // a line with its LF: a CR right before the LF is dropped
        lineNumber_ = targetLine;
        lineStart_ = text.lineStart(target);
        lineLength_ = text.lineStart(target + 1) - 1 - lineStart_;
        if (lineLength_ > 0 && text.bytes()[lineStart_ + lineLength_ - 1] == '\r')
            --lineLength_;
        return;
    }
    // Past the last LF: the last line without a LF keeps a CR at its end; with nothing after the
    // last LF, the read finds nothing. Either way the end is reached.
    atEnd_ = true;
    lineStart_ = text.lineStart(terminated + 1);
    lineLength_ = size - lineStart_;
    lineNumber_ = static_cast<std::int32_t>(terminated + 1);
}

const std::string& SourceLineCursor::text()
{
    if (!copied_) {
        current_.assign(text_->bytes(), lineStart_, lineLength_);
        copied_ = true;
    }
    return current_;
}
