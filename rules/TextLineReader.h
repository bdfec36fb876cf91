// Reads a text file line by line as Windows text mode does: a CR directly before a LF is dropped.
#pragma once

#include <fstream>
#include <string>

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

private:
    std::ifstream in_;
};
