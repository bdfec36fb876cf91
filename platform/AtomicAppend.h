// Appending blocks to an existing file so that the file holds its old bytes and each block whole or not at all.
#pragma once

#include "FileLock.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Opens an existing file under an exclusive lock (the same lock as LockedFile) and appends one block,
// or several in order, to it at commit, each all or nothing: whatever ends the process, even a
// kill, the file afterwards holds its earlier bytes followed by none, some first or all of the
// blocks, each of them whole.
//
// POSIX: a block that crosses no page boundary of the file (the file's length modulo the sysconf
// page size, plus the block's size, is at most the page size) is written in place with one write:
// the kernel copies it as one page, which a kill cannot split, and the old bytes are never
// rewritten. A larger block goes to a complete copy (old bytes and block) in a temporary file in
// the file's directory, which is given the file's permission bits and owner and renamed over the
// file. Nothing is synced: a killed process's writes stay in the page cache; durability against a
// power cut is the file system's, as for every other output of a build. That file is thus replaced: its inode changes, other hard links keep the old
// bytes, and a symbolic link stays a link whose target is replaced. The directory must be
// writable. Of several blocks, those that fit in place one after the other are written so; the
// rest share one copy.
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
    struct Block {
        const void* data;
        std::size_t size;
    };

    // Appends the block, releases the lock and closes. False when the block could not be appended;
    // the file then is as it was.
    bool commit(const void* data, std::size_t size);
    // Appends the blocks in order under the one lock, then releases it and closes. False when a
    // block could not be appended; the file then holds its old bytes and at most the blocks before
    // that one.
    bool commit(const Block* blocks, std::size_t count);
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
