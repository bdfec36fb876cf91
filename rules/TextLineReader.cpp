// Text-mode line reading of rules files and source files.
#include "TextLineReader.h"

bool TextLineReader::open(const std::string& path)
{
    close();
    in_.open(path, std::ios::in | std::ios::binary);
    return !failed();
}

void TextLineReader::close()
{
    if (in_.is_open())
        in_.close();
    in_.clear();
}

bool TextLineReader::readLine(std::string& line)
{
    if (!std::getline(in_, line))
        return false;
    // Only a CR that stood before a LF belongs to the line end; a lone CR at the end stays.
    if (!in_.eof() && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}
