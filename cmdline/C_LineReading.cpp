// Line reading and variable substitution shared by via files and configuration files.
#include "C_LineReading.h"

#include "C_Environment.h"
#include "C_Messages.h"

#include <cctype>
#include <cstdio>

namespace {

constexpr int kLineBuffer = 1024; // 1023 bytes and the terminator

bool readPiece(std::FILE* file, std::string& piece)
{
    char buffer[kLineBuffer];
    if (!std::fgets(buffer, kLineBuffer, file))
        return false;
    piece = buffer;
    // Text mode on every platform: CR LF reads as LF.
    if (piece.size() >= 2 && piece[piece.size() - 2] == '\r' && piece.back() == '\n')
        piece.erase(piece.size() - 2, 1);
    return true;
}

bool endsWithContinuation(const std::string& line)
{
    return line.size() >= 2 && line[line.size() - 2] == '\\' && line.back() == '\n';
}

bool isNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string environmentOrNothing(const std::string& name)
{
    std::string value;
    environmentValue(name, value);
    return value;
}

} // namespace

bool readJoinedLine(std::FILE* file, std::string& line)
{
    if (!readPiece(file, line))
        return false;
    std::string next;
    while (endsWithContinuation(line)) {
        line.erase(line.size() - 2);
        if (!readPiece(file, next))
            break;
        line += next;
    }
    return true;
}

std::string rewriteLine(const std::string& line, bool substitute, bool escapes)
{
    std::string result;
    const std::size_t end = line.find('\n');
    const std::size_t size = end == std::string::npos ? line.size() : end;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = line[i];
        if (escapes && c == '\\' && i + 1 < size) {
            const char next = line[++i];
            result += next == 'n' ? '\n' : next == 't' ? '\t' : next;
            continue;
        }
        if (!substitute || c != '$' || i + 1 >= size) {
            result += c;
            continue;
        }
        const char next = line[i + 1];
        if (next == '$') {
            result += '$';
            ++i;
        } else if (next == '{') {
            const std::size_t close = line.find('}', i + 2);
            if (close == std::string::npos || close >= size) {
                std::printf(cmdmsg::kBadSubstitution, line.substr(0, size).c_str());
                std::fflush(stdout);
                result += line.substr(i, size - i);
                break;
            }
            result += environmentOrNothing(line.substr(i + 2, close - (i + 2)));
            i = close;
        } else if (isNameCharacter(next)) {
            std::size_t stop = i + 1;
            while (stop < size && isNameCharacter(line[stop]))
                ++stop;
            result += environmentOrNothing(line.substr(i + 1, stop - (i + 1)));
            i = stop - 1;
        } else {
            result += c;
        }
    }
    return result;
}
