// Appending lines to a shared file on POSIX systems: created when missing, published as a whole block.
#include "SharedAppend.h"

#include "AtomicAppend.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

bool appendLines(const std::string& path, const std::string& lines)
{
    // Created empty (never truncated) when missing; the block is then appended as to an error file.
    const int created = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (created < 0)
        return false;
    ::close(created);
    AtomicAppendFile file;
    if (!file.open(path))
        return false;
    char last = '\n';
    const std::int64_t size = file.originalSize();
    if (size > 0 && file.readAt(size - 1, &last, 1) != 1) {
        file.abandon();
        return false;
    }
    if (last == '\n')
        return file.commit(lines.data(), lines.size());
    const std::string ended = "\r\n" + lines;
    return file.commit(ended.data(), ended.size());
}

} // namespace platform
