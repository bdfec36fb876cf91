// Appending one block to an existing file so that the file holds either its old bytes or the whole block.
#pragma once

#include "FileLock.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Opens an existing file under an exclusive lock (the same lock as LockedFile) and appends one block
// to it at commit, all or nothing: whatever ends the process, even a kill, the file afterwards holds
// its earlier bytes or those followed by the whole block.
//
// POSIX: commit writes a complete copy (old bytes and block) to a temporary file in the file's
// directory, syncs it, gives it the file's permission bits and owner, and renames it over the file.
// The file is thus replaced: its inode changes, other hard links keep the old bytes, and a symbolic
// link stays a link whose target is replaced. The directory must be writable.
//
// Win32: commit appends in place and truncates back on failure (see the implementation for why).
class AtomicAppendFile {
public:
    AtomicAppendFile() = default;
    ~AtomicAppendFile(); // abandons a file that is still open
    AtomicAppendFile(const AtomicAppendFile&) = delete;
    AtomicAppendFile& operator=(const AtomicAppendFile&) = delete;

    // Waits for the lock. False when the file does not exist, is not a regular file, or cannot be
    // opened for writing or locked.
    bool open(const std::string& path);
    bool isOpen() const;
    // The length when the lock was taken.
    std::int64_t originalSize() const;
    // Reads up to size bytes from the offset; the number read, or -1 on failure.
    long long readAt(std::int64_t offset, void* buffer, std::size_t size);
    // Appends the block, releases the lock and closes. False when the block could not be appended;
    // the file then is as it was.
    bool commit(const void* data, std::size_t size);
    // Releases the lock and closes without changing the file.
    void abandon();

private:
#ifdef _WIN32
    LockedFile file_;
#else
    std::string target_; // the file itself: symbolic links resolved
    int fd_ = -1;
    std::int64_t originalSize_ = 0;
#endif
};

} // namespace platform
