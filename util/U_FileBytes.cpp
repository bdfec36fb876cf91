// Whole-file reading: one read of the size the file has, then reads to the end for what was added.
#include "U_FileBytes.h"

#include "U_Prefault.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

bool readWholeFile(const std::string& path, std::string& bytes, bool* readFailed)
{
    if (readFailed)
        *readFailed = false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        bytes.clear();
        return false;
    }
    // Unbuffered: the reads go straight into the string, and the stream does not ask for the size
    // a second time.
    std::setvbuf(file, nullptr, _IONBF, 0);
    struct stat info;
    if (::fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        static_cast<unsigned long long>(info.st_size) < (1ull << 31)) {
        // A string reused for file after file only grows by what the new file has more: the bytes
        // it already holds are overwritten instead of being cleared first.
        const auto size = static_cast<std::size_t>(info.st_size);
        if (bytes.capacity() < size) {
            bytes.reserve(size);
            prefaultForWriting(&bytes[0], size);
        }
        if (bytes.size() < size)
            bytes.resize(size);
        bytes.resize(std::fread(&bytes[0], 1, size, file));
    } else {
        bytes.clear();
    }
    // Whatever is left: everything when the size was not known, the rest of a file that grew. The
    // buffer is small: usually this finds the end at once, and a larger one would reach stack pages
    // that the process never used otherwise.
    char chunk[4096];
    std::size_t got;
    while (!std::ferror(file) && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    if (readFailed)
        *readFailed = std::ferror(file) != 0;
    std::fclose(file);
    return true;
}

bool fileHoldsExactly(const std::string& path, std::string_view bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::setvbuf(file, nullptr, _IONBF, 0);
    // A few pages, used again for each piece; one read more finds the end.
    constexpr std::size_t kPiece = 16 * 1024;
    const std::unique_ptr<char[]> piece(new char[kPiece]);
    std::size_t at = 0;
    bool same = true;
    for (;;) {
        const std::size_t got = std::fread(piece.get(), 1, kPiece, file);
        if (got == 0)
            break;
        if (got > bytes.size() - at || std::memcmp(piece.get(), bytes.data() + at, got) != 0) {
            same = false;
            break;
        }
        at += got;
    }
    same = same && at == bytes.size() && !std::ferror(file);
    std::fclose(file);
    return same;
}
