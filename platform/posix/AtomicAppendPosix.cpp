// All-or-nothing append on POSIX systems: a complete new copy is renamed over the locked file.
#include "AtomicAppend.h"

#include "PosixFileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// One write() is not always enough: Linux copies a buffered write page by page and gives up at a
// page boundary when a fatal signal is pending, so SIGKILL can leave part of a block behind that
// crosses a page boundary of the file. Such a block is published by a rename, which is atomic:
// readers and later runs see either the old file or the new one. A block that ends within the page
// that holds the file's end is one page copy for the kernel, all or nothing against a kill; it is
// written in place, which never touches the old bytes and needs neither a copy nor a sync.
//
// Lock protocol: the lock lives on the inode that was at the path when it was taken. A writer that
// publishes replaces that inode, so a writer that was waiting for the lock may hold it on a file
// that is no longer at the path; it notices by comparing device and inode, and opens again.

namespace platform {

namespace {

// Writers that keep replacing the file faster than this one can lock it are not expected; the bound
// only keeps a pathological case from looping for ever.
constexpr int kMaxOpenAttempts = 1000;
constexpr int kMaxTempNames = 100;

// The file a path names, with every symbolic link resolved; false when it cannot be resolved.
bool resolve(const std::string& path, std::string& resolved)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return false;
    resolved = real;
    std::free(real);
    return true;
}

std::string directoryOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Copies the first `length` bytes of one file into another, in the kernel where it can.
bool copyPrefix(int from, int to, std::int64_t length)
{
    off_t done = 0;
#ifdef __linux__
    while (done < length) {
        off_t in = done;
        off_t out = done;
        const ssize_t copied = ::copy_file_range(from, &in, to, &out, static_cast<std::size_t>(length - done), 0);
        if (copied > 0) {
            done += copied;
            continue;
        }
        if (copied == 0)
            return false; // the file is shorter than when it was locked
        if (errno == EINTR)
            continue;
        if (errno != ENOSYS && errno != EXDEV && errno != EINVAL && errno != EOPNOTSUPP)
            return false;
        break; // not supported here: copy through a buffer
    }
#endif
    std::vector<char> buffer(1 << 16);
    while (done < length) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(length - done, buffer.size()));
        const ssize_t got = ::pread(from, buffer.data(), want, done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || !posixio::writeAll(to, buffer.data(), static_cast<std::size_t>(got), done))
            return false;
        done += got;
    }
    return true;
}

// "<file>.<pid>.tmp", then "<file>.<pid>.<n>.tmp" when that name is taken (a run on another host
// with the same process id).
std::string tempName(const std::string& target, int attempt)
{
    std::string name = target + "." + std::to_string(::getpid());
    if (attempt > 0)
        name += "." + std::to_string(attempt);
    return name + ".tmp";
}

// An unnamed file in the directory (Linux O_TMPFILE): a kill while it is being filled leaves
// nothing behind. -1 where that is not supported.
int openUnnamedTemp(const std::string& directory)
{
#ifdef O_TMPFILE
    return ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
#else
    (void)directory;
    return -1;
#endif
}

// Gives the unnamed file a unique temporary name next to the target.
bool linkUnnamedTemp(int fd, const std::string& target, std::string& name)
{
#ifdef AT_EMPTY_PATH
    const std::string procPath = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < kMaxTempNames; ++attempt) {
        name = tempName(target, attempt);
        // AT_EMPTY_PATH needs a capability that ordinary users lack; /proc does not.
        if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)
            return true;
        if (errno == EEXIST)
            continue;
        if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
#else
    (void)fd;
    (void)target;
    (void)name;
#endif
    return false;
}

int createNamedTemp(const std::string& target, std::string& name)
{
    for (int attempt = 0; attempt < kMaxTempNames; ++attempt) {
        name = tempName(target, attempt);
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Fills the temporary file with the original's bytes and the block and gives it the original's
// owner (when this process may) and permission bits. It is not synced: the promise is about a
// process that is killed, whose writes stay in the page cache and reach the file whole; durability
// against a power cut stays with the file system, as for every other output of the build (the
// analyser does not sync its error files either).
bool fillTemp(int temp, int original, const struct stat& info, std::int64_t originalSize, const void* data,
              std::size_t size)
{
    if (!copyPrefix(original, temp, originalSize))
        return false;
    if (!posixio::writeAll(temp, static_cast<const char*>(data), size, static_cast<off_t>(originalSize)))
        return false;
    if (info.st_uid != ::geteuid() || info.st_gid != ::getegid()) {
        const int changed = ::fchown(temp, info.st_uid, info.st_gid);
        (void)changed; // without the right to, the file belongs to this process's user
    }
    return ::fchmod(temp, info.st_mode & 07777) == 0;
}

// Whether a block of this size appended at this length stays within one page of the file.
bool withinOnePage(std::int64_t length, std::size_t size)
{
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page <= 0 || length < 0)
        return false;
    return static_cast<std::uint64_t>(length % page) + size <= static_cast<std::uint64_t>(page);
}

// Appends the block in place with one write; a write that does not take the whole block (a full
// disk, a file size limit) is cut back to the old length, so the file is as it was.
bool appendInPlace(int fd, std::int64_t length, const void* data, std::size_t size)
{
    ssize_t written;
    do {
        written = ::pwrite(fd, data, size, static_cast<off_t>(length));
    } while (written < 0 && errno == EINTR);
    if (written == static_cast<ssize_t>(size))
        return true;
    if (written > 0) {
        int cut;
        do {
            cut = ::ftruncate(fd, static_cast<off_t>(length));
        } while (cut != 0 && errno == EINTR);
    }
    return false;
}

// Renames the filled temporary file over the target; removes it when that is not to happen.
bool publish(const std::string& temp, const std::string& target, bool filled)
{
    if (filled && ::rename(temp.c_str(), target.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

} // namespace

AtomicAppendFile::~AtomicAppendFile()
{
    abandon();
}

bool AtomicAppendFile::open(const std::string& path)
{
    abandon();
    for (int attempt = 0; attempt < kMaxOpenAttempts; ++attempt) {
        // Opened for writing although the writes go to a new copy: a file this process may not
        // write to is not to be replaced either.
        struct stat opened;
        const int fd = posixio::openLockedRegular(path.c_str(), O_RDWR | O_CLOEXEC, opened);
        if (fd < 0)
            return false;
        std::string target;
        struct stat current;
        if (resolve(path, target) && ::stat(target.c_str(), &current) == 0 && current.st_dev == opened.st_dev
            && current.st_ino == opened.st_ino) {
            fd_ = fd;
            target_ = target;
            originalSize_ = opened.st_size;
            return true;
        }
        ::close(fd); // replaced by another writer while this one waited for the lock
    }
    return false;
}

bool AtomicAppendFile::isOpen() const
{
    return fd_ >= 0;
}

std::int64_t AtomicAppendFile::originalSize() const
{
    return originalSize_;
}

long long AtomicAppendFile::readAt(std::int64_t offset, void* buffer, std::size_t size)
{
    if (!isOpen())
        return -1;
    return posixio::readAt(fd_, offset, buffer, size);
}

bool AtomicAppendFile::commit(const void* data, std::size_t size)
{
    const Block block{data, size};
    return commit(&block, 1);
}

bool AtomicAppendFile::commit(const Block* blocks, std::size_t count)
{
    if (!isOpen())
        return false;
    // The blocks that fit in place, one after the other.
    std::int64_t length = originalSize_;
    std::size_t next = 0;
    for (; next < count && withinOnePage(length, blocks[next].size); ++next) {
        if (!appendInPlace(fd_, length, blocks[next].data, blocks[next].size)) {
            abandon();
            return false;
        }
        length += static_cast<std::int64_t>(blocks[next].size);
    }
    if (next == count) {
        abandon();
        return true;
    }
    // The others go to one copy together.
    const void* data = blocks[next].data;
    std::size_t size = blocks[next].size;
    std::string joined;
    if (next + 1 < count) {
        for (std::size_t i = next; i < count; ++i)
            joined.append(static_cast<const char*>(blocks[i].data), blocks[i].size);
        data = joined.data();
        size = joined.size();
    }
    const std::int64_t copied = length;
    struct stat info;
    bool published = false;
    if (::fstat(fd_, &info) == 0) {
        bool tryNamed = true;
        std::string name;
        const int unnamed = openUnnamedTemp(directoryOf(target_));
        if (unnamed >= 0) {
            const bool filled = fillTemp(unnamed, fd_, info, copied, data, size);
            const bool linked = filled && linkUnnamedTemp(unnamed, target_, name);
            const bool closed = ::close(unnamed) == 0;
            if (linked)
                published = publish(name, target_, closed);
            // Only a file system that cannot link the unnamed file gets a second try.
            tryNamed = filled && !linked;
        }
        if (tryNamed) {
            const int named = createNamedTemp(target_, name);
            if (named >= 0) {
                const bool filled = fillTemp(named, fd_, info, copied, data, size);
                const bool closed = ::close(named) == 0;
                published = publish(name, target_, filled && closed);
            }
        }
    }
    // Released only now: a writer waiting for the lock then finds the file replaced.
    abandon();
    return published;
}

void AtomicAppendFile::abandon()
{
    if (fd_ < 0)
        return;
    ::close(fd_); // also releases the lock
    fd_ = -1;
    target_.clear();
    originalSize_ = 0;
}

} // namespace platform
