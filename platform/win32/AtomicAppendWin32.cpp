// All-or-nothing append on Windows: a locked append in place, truncated back when it fails.
#include "AtomicAppend.h"

// Windows refuses to rename a file over one that another process holds open (the analyser's later
// steps, a virus scanner or an indexer often do), so the copy-and-rename publication of the portable
// implementation would make appends fail at random. The block is therefore appended to the locked
// file in place; a failed write or flush is undone by truncating back to the length at open. A
// process terminated in the middle of the write can still leave part of the block behind.

namespace platform {

AtomicAppendFile::~AtomicAppendFile()
{
    abandon();
}

bool AtomicAppendFile::open(const std::string& path)
{
    return file_.open(path);
}

bool AtomicAppendFile::isOpen() const
{
    return file_.isOpen();
}

std::int64_t AtomicAppendFile::originalSize() const
{
    return file_.originalSize();
}

long long AtomicAppendFile::readAt(std::int64_t offset, void* buffer, std::size_t size)
{
    return file_.readAt(offset, buffer, size);
}

bool AtomicAppendFile::commit(const Block* blocks, std::size_t count)
{
    // In place, one after the other; all of them rolled back when one fails.
    if (!file_.isOpen())
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!file_.append(blocks[i].data, blocks[i].size)) {
            file_.rollBack();
            return false;
        }
    }
    return file_.close();
}

bool AtomicAppendFile::commit(const void* data, std::size_t size)
{
    if (!file_.isOpen())
        return false;
    if (!file_.append(data, size)) {
        file_.rollBack();
        return false;
    }
    return file_.close();
}

void AtomicAppendFile::abandon()
{
    if (file_.isOpen())
        file_.rollBack();
}

} // namespace platform
