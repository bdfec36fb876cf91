// Descriptor calls shared by the POSIX file services, each retried when a signal interrupts it.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace platform::posixio {

// Waits for the exclusive flock on the descriptor; false when it cannot be taken.
inline bool lockExclusive(int fd)
{
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    return locked == 0;
}

// Opens an existing regular file with the flags, waiting for its exclusive lock; the descriptor
// with the file's status as it was once locked, or -1 (nothing left open) when any step fails.
inline int openLockedRegular(const char* path, int flags, struct stat& info)
{
    const int fd = ::open(path, flags);
    if (fd < 0)
        return -1;
    if (!lockExclusive(fd) || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to size bytes from the offset; the number read, or -1 on failure.
inline long long readAt(int fd, std::int64_t offset, void* buffer, std::size_t size)
{
    ssize_t got;
    do {
        got = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    return got;
}

// Writes every byte with write (or, with an offset, pwrite); false when not all could be written.
inline bool writeAll(int fd, const char* data, std::size_t size, off_t offset = -1)
{
    while (size > 0) {
        const ssize_t written = offset < 0 ? ::write(fd, data, size) : ::pwrite(fd, data, size, offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
        if (offset >= 0)
            offset += written;
    }
    return true;
}

} // namespace platform::posixio
