// Line stepping over a whole source file held in memory.
#include "SourceLineCursor.h"

#include <cstring>

void SourceLineCursor::advanceTo(std::int32_t targetLine)
{
    const std::string& all = *text_;
    while (lineNumber_ < targetLine && !atEnd_) {
        ++lineNumber_;
        copied_ = false;
        if (pos_ >= all.size()) { // nothing left: the read fails and empties the text
            atEnd_ = true;
            lineStart_ = pos_;
            lineLength_ = 0;
            break;
        }
        const char* start = all.data() + pos_;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', all.size() - pos_));
        lineStart_ = pos_;
        if (lf == nullptr) { // a last line without a LF keeps a CR at its end
            lineLength_ = all.size() - pos_;
            pos_ = all.size();
            atEnd_ = true;
            break;
        }
        lineLength_ = static_cast<std::size_t>(lf - start);
        pos_ += lineLength_ + 1;
        if (lineLength_ > 0 && start[lineLength_ - 1] == '\r')
            --lineLength_;
    }
}

const std::string& SourceLineCursor::text()
{
    if (!copied_) {
        current_.assign(*text_, lineStart_, lineLength_);
        copied_ = true;
    }
    return current_;
}
