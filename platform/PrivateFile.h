// Files that only the current user writes: what the tool keeps between runs in a shared directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A file open for reading parts of it, when it could not have been written by someone else: on
// POSIX systems a file that another user owns, that others may write to, or that is a symbolic link
// is refused, so that nobody can plant it in a shared temporary directory.
class PrivateFileReader {
public:
    PrivateFileReader() = default;
    ~PrivateFileReader();
    PrivateFileReader(const PrivateFileReader&) = delete;
    PrivateFileReader& operator=(const PrivateFileReader&) = delete;

    bool open(const std::string& path);
    void close();
    bool isOpen() const;
    // Reads the size bytes at the offset into the buffer; false when the file does not hold them all.
    bool readAt(std::uint64_t offset, std::size_t size, char* buffer);
    // The size bytes at the offset where the file is mapped into memory (read-only, mapped whole on
    // the first call), valid until close() or the next open(); null when the file does not hold
    // them or cannot be mapped, and the caller then reads them with readAt. A mapping shares the
    // pages the system already holds and maps many of them at each first touch, where reading
    // copies them into memory of the process page by page. Only for files that are replaced by
    // renaming, never cut short in place, as replacePrivateFile writes them: a mapped file cut
    // short would end the process.
    const char* view(std::uint64_t offset, std::size_t size);

private:
    // The whole file mapped read-only, or null; the platform's part of view(). The range is the
    // first one asked for, which the caller reads right away: where the system can, its pages are
    // mapped in the same call (the whole file, when it is small).
    const char* mapWhole(std::uint64_t offset, std::size_t size);
    void unmap();
#ifdef _WIN32
    void* handle_ = nullptr;
    void* mapping_ = nullptr;
#else
    int fd_ = -1;
#endif
    const char* map_ = nullptr;
    std::uint64_t size_ = 0;
    bool mapTried_ = false;
};

// Writes the bytes to a new file that only the current user may read and write, in the directory of
// the path, and puts it in place of the path in one step: readers see the old file or the new one,
// never part of one. Writers racing for the same path each put a whole file there; the last one
// stays. False when any step fails; nothing is then left behind but what was at the path before.
bool replacePrivateFile(const std::string& path, const std::string& bytes);

} // namespace platform
