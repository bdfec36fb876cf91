// Splitting text into lines as Windows text mode reads them, for every reader of text files.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Calls function(line, offset) with every line of the text from `start` and the offset of its first
// byte: a line ends at a LF, which is not delivered, and a CR directly before the LF is dropped (CR LF
// and LF alike). A last line without a LF (an unfinished one; a CR at its end stays) is delivered too
// unless `unfinishedToo` is false. Answers whether the text ends in such an unfinished line.
template <class Function>
bool forEachTextLineAt(const std::string& text, Function&& function, std::size_t start = 0, bool unfinishedToo = true)
{
    std::string line;
    for (std::size_t pos = start; pos < text.size();) {
        const std::size_t lf = text.find('\n', pos);
        if (lf == std::string::npos) {
            if (unfinishedToo) {
                line.assign(text, pos, std::string::npos);
                function(line, pos);
            }
            return true;
        }
        line.assign(text, pos, lf - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        function(line, pos);
        pos = lf + 1;
    }
    return false;
}

// The same, calling function(line).
template <class Function>
bool forEachTextLine(const std::string& text, Function&& function, std::size_t start = 0, bool unfinishedToo = true)
{
    return forEachTextLineAt(text, [&](const std::string& line, std::size_t) { function(line); }, start, unfinishedToo);
}

} // namespace platform
