// An existing file opened for appending under an exclusive lock, with roll-back of the append.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Opens an existing file for reading and appending and holds an exclusive lock on it until it is
// closed (POSIX: flock; Win32: LockFileEx), so that appends of cooperating processes never
// interleave. The length at the moment the lock was taken is remembered, so that a failed append
// can be undone by truncating back to it.
class LockedFile {
public:
    LockedFile() = default;
    ~LockedFile(); // rolls back and releases a file that is still open
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Waits for the lock. False when the file does not exist or cannot be opened or locked.
    bool open(const std::string& path);
    bool isOpen() const;
    // The length when the lock was taken.
    std::int64_t originalSize() const { return originalSize_; }
    // Reads up to size bytes from the offset; the number read, or -1 on failure.
    long long readAt(std::int64_t offset, void* buffer, std::size_t size);
    // Writes every byte at the end of the file; false when not all could be written.
    bool append(const void* data, std::size_t size);
    // Truncates back to the original length, then releases the lock and closes.
    void rollBack();
    // Releases the lock and closes; when closing fails the append is undone and false returned.
    bool close();

private:
    std::string path_;
    std::int64_t originalSize_ = 0;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

} // namespace platform
