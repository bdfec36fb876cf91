// Reads a text file line by line as Windows text mode does: a CR directly before a LF is dropped.
#pragma once

#include "TextLines.h"

#include <fstream>
#include <string>
#include <string_view>

class TextLineReader {
public:
    TextLineReader() = default;
    explicit TextLineReader(const std::string& path) { open(path); }

    // Closes a file still open, clears the state and opens the path; false when it cannot be opened.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return in_.is_open(); }
    // True once the stream failed or went bad (a failed open included).
    bool failed() const { return in_.fail() || in_.bad(); }
    bool atEnd() const { return in_.eof(); }

    // Reads up to the next LF (not kept) into the line, which is emptied first. False when nothing
    // could be read; a last line without a LF is still delivered.
    bool readLine(std::string& line);

    // Where the text of the bytes starts: after a UTF-8 byte order mark (Notepad writes one), else 0.
    static std::size_t textStart(std::string_view bytes)
    {
        return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    }

    // Calls the function with every line of the bytes from the start, exactly as reading them with
    // readLine until it answers false would deliver them.
    template <class Function>
    static void forEachLine(const std::string& bytes, Function&& function, std::size_t start = 0)
    {
        platform::forEachTextLine(bytes, function, start);
    }

    // The same, with the offset of each line's first byte: function(line, offset).
    template <class Function>
    static void forEachLineAt(const std::string& bytes, Function&& function, std::size_t start = 0)
    {
        platform::forEachTextLineAt(bytes, function, start);
    }

private:
    std::ifstream in_;
};
