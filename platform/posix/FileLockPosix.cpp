// Locked appending on POSIX systems: flock for the lock, ftruncate for the roll-back.
#include "FileLock.h"

#include "PosixFileIo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

LockedFile::~LockedFile()
{
    if (isOpen())
        rollBack();
}

bool LockedFile::open(const std::string& path)
{
    if (isOpen())
        rollBack();
    struct stat info;
    const int fd = posixio::openLockedRegular(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC, info);
    if (fd < 0)
        return false;
    fd_ = fd;
    path_ = path;
    originalSize_ = info.st_size;
    return true;
}

bool LockedFile::isOpen() const
{
    return fd_ >= 0;
}

long long LockedFile::readAt(std::int64_t offset, void* buffer, std::size_t size)
{
    if (!isOpen())
        return -1;
    return posixio::readAt(fd_, offset, buffer, size);
}

bool LockedFile::append(const void* data, std::size_t size)
{
    if (!isOpen())
        return false;
    return posixio::writeAll(fd_, static_cast<const char*>(data), size);
}

void LockedFile::rollBack()
{
    if (!isOpen())
        return;
    while (::ftruncate(fd_, static_cast<off_t>(originalSize_)) != 0 && errno == EINTR) {
    }
    ::close(fd_); // also releases the lock
    fd_ = -1;
}

bool LockedFile::close()
{
    if (!isOpen())
        return true;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) == 0)
        return true;
    // The data may not have reached the file: undo the append by name.
    ::truncate(path_.c_str(), static_cast<off_t>(originalSize_));
    return false;
}

} // namespace platform
