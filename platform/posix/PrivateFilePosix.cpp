// Private files on POSIX systems: owner-only permissions, checked when read; renamed into place.
#include "PrivateFile.h"

#include "P_Process.h"
#include "PosixFileIo.h"
#include "TemporaryName.h"

#include <cstdint>
#include <cstdio>
#include <sys/mman.h>
#include <unistd.h>

namespace platform {

namespace {

// Opens the file for reading when it is a regular file of the current user that others may not
// write; -1 otherwise.
int openPrivate(const std::string& path, struct stat& info)
{
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    const bool ours = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
                      (info.st_mode & (S_IWGRP | S_IWOTH)) == 0 && info.st_size >= 0;
    if (!ours) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool readFully(int fd, std::uint64_t offset, std::size_t size, char* buffer)
{
    std::size_t done = 0;
    while (done < size) {
        const long long got = posixio::readAt(fd, static_cast<std::int64_t>(offset + done), buffer + done, size - done);
        if (got <= 0)
            return false; // shorter than it should be, or a read error
        done += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace

PrivateFileReader::~PrivateFileReader()
{
    close();
}

bool PrivateFileReader::open(const std::string& path)
{
    close();
    struct stat info;
    fd_ = openPrivate(path, info);
    size_ = fd_ >= 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    return fd_ >= 0;
}

void PrivateFileReader::close()
{
    unmap();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

void PrivateFileReader::unmap()
{
    if (map_)
        ::munmap(const_cast<char*>(map_), static_cast<std::size_t>(size_));
    map_ = nullptr;
    mapTried_ = false;
}

const char* PrivateFileReader::mapWhole(std::uint64_t offset, std::size_t size)
{
    // Each first touch of a mapped page is a page fault (which maps a few neighbours too); asking
    // for many pages in one call costs a fraction of that. A small file is mapped whole at once;
    // of a larger one, a large first range (a digest's head, read through right away).
#ifdef MAP_POPULATE
    constexpr std::uint64_t kSmallFile = 512 * 1024;
    const int populate = size_ <= kSmallFile ? MAP_POPULATE : 0;
#else
    const int populate = 0;
#endif
    void* address = ::mmap(nullptr, static_cast<std::size_t>(size_), PROT_READ, MAP_PRIVATE | populate, fd_, 0);
    if (address == MAP_FAILED)
        return nullptr;
#ifdef MADV_POPULATE_READ
    constexpr std::size_t kLargeRange = 64 * 1024;
    if (!populate && size >= kLargeRange) {
        const auto page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
        const std::uint64_t first = offset / page * page;
        ::madvise(static_cast<char*>(address) + first, static_cast<std::size_t>(offset + size - first),
                  MADV_POPULATE_READ);
    }
#else
    (void)offset;
    (void)size;
#endif
    return static_cast<const char*>(address);
}

bool PrivateFileReader::isOpen() const
{
    return fd_ >= 0;
}

bool PrivateFileReader::readAt(std::uint64_t offset, std::size_t size, char* buffer)
{
    return fd_ >= 0 && readFully(fd_, offset, size, buffer);
}

bool replacePrivateFile(const std::string& path, const std::string& bytes)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string directory = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const std::string temp = newNameInDirectory(directory, ".zemb" + std::to_string(processId()) + "-");
    if (temp.empty())
        return false;
    int fd;
    do {
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    bool written = posixio::writeAll(fd, bytes.data(), bytes.size());
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temp.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

} // namespace platform
