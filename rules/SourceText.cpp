// Finding the line starts of a source text.
#include "SourceText.h"

#include <cstring>

SourceText::SourceText(std::string bytes) : bytes_(std::move(bytes))
{
    lineStarts_.push_back(0);
    const char* const begin = bytes_.data();
    const char* const end = begin + bytes_.size();
    for (const char* at = begin; at < end;) {
        const auto* lf = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (lf == nullptr)
            break;
        lineStarts_.push_back(static_cast<std::size_t>(lf + 1 - begin));
        at = lf + 1;
    }
}
