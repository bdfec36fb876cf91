// Appending lines to a shared file on Windows: LockFileEx, an unfinished last line cut off, a write in place.
#include "SharedAppend.h"

#include <windows.h>

#include <cstdint>

// Windows refuses to rename over a file that other processes hold open, so the lines are written in
// place, as error-file blocks are there. TerminateProcess during that write can leave the start of a
// line without its line feed; every append first cuts the file back to just after its last line
// feed, so such a remnant never stays under lines that follow it.

namespace platform {

namespace {

bool seekTo(HANDLE file, std::int64_t offset)
{
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    return SetFilePointerEx(file, distance, nullptr, FILE_BEGIN) != 0;
}

bool truncateTo(HANDLE file, std::int64_t length)
{
    return seekTo(file, length) && SetEndOfFile(file) != 0;
}

// The length of the file up to and with its last line feed (0 when it has none), or -1 when it
// cannot be read.
std::int64_t endOfLastLine(HANDLE file, std::int64_t size)
{
    char buffer[4096];
    std::int64_t end = size;
    while (end > 0) {
        const std::int64_t start = end > static_cast<std::int64_t>(sizeof buffer) ? end - sizeof buffer : 0;
        const DWORD want = static_cast<DWORD>(end - start);
        DWORD got = 0;
        if (!seekTo(file, start) || !ReadFile(file, buffer, want, &got, nullptr) || got != want)
            return -1;
        for (DWORD i = want; i > 0; --i)
            if (buffer[i - 1] == '\n')
                return start + i;
        end = start;
    }
    return 0;
}

bool writeAll(HANDLE file, const std::string& bytes)
{
    const char* next = bytes.data();
    std::size_t size = bytes.size();
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, next, chunk, &written, nullptr) || written == 0)
            return false;
        next += written;
        size -= written;
    }
    return true;
}

// Appends under the lock that the caller holds; false (the file as it was) when anything fails.
bool appendLocked(HANDLE file, const std::string& lines)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return false;
    const std::int64_t end = endOfLastLine(file, size.QuadPart);
    if (end < 0 || (end != size.QuadPart && !truncateTo(file, end)))
        return false;
    if (seekTo(file, end) && writeAll(file, lines) && FlushFileBuffers(file))
        return true;
    truncateTo(file, end);
    return false;
}

} // namespace

bool appendLines(const std::string& path, const std::string& lines)
{
    // Windows refuses to write a read-only file to every user; Wine run by the host's superuser
    // would write it all the same, so the attribute is checked here, as for error files.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    OVERLAPPED overlapped = {};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &overlapped)) {
        CloseHandle(file);
        return false;
    }
    const bool appended = appendLocked(file, lines);
    OVERLAPPED unlock = {};
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &unlock);
    const bool closed = CloseHandle(file) != 0;
    return appended && closed;
}

} // namespace platform
