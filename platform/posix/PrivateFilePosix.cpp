// Private files on POSIX systems: owner-only permissions, checked when read; renamed into place.
#include "PrivateFile.h"

#include "P_Process.h"
#include "PosixFileIo.h"
#include "TemporaryName.h"

#include <cstdio>

namespace platform {

bool readPrivateFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat info;
    const bool ours = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
                      (info.st_mode & (S_IWGRP | S_IWOTH)) == 0 && info.st_size >= 0 &&
                      static_cast<unsigned long long>(info.st_size) < (1ull << 31);
    if (!ours) {
        ::close(fd);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long long got = posixio::readAt(fd, static_cast<std::int64_t>(done), &bytes[done], bytes.size() - done);
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (done != bytes.size()) { // shorter than its size said, or a read error
        bytes.clear();
        return false;
    }
    return true;
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
