// Locked appending on Windows: LockFileEx for the lock, SetEndOfFile for the roll-back.
#include "FileLock.h"

#include <windows.h>

namespace platform {

namespace {
HANDLE toHandle(void* handle)
{
    return static_cast<HANDLE>(handle);
}

bool seekTo(HANDLE file, std::int64_t offset, DWORD method)
{
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    return SetFilePointerEx(file, distance, nullptr, method) != 0;
}

void unlockAll(HANDLE file)
{
    OVERLAPPED overlapped = {};
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &overlapped);
}
} // namespace

LockedFile::~LockedFile()
{
    if (isOpen())
        rollBack();
}

bool LockedFile::open(const std::string& path)
{
    if (isOpen())
        rollBack();
    // Windows refuses to write a read-only file to every user. Wine, run by the host's superuser,
    // would write it all the same: the attribute is checked here so that it binds there too.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    OVERLAPPED overlapped = {};
    LARGE_INTEGER size;
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &overlapped)) {
        CloseHandle(file);
        return false;
    }
    if (!GetFileSizeEx(file, &size)) {
        unlockAll(file);
        CloseHandle(file);
        return false;
    }
    handle_ = file;
    path_ = path;
    originalSize_ = size.QuadPart;
    return true;
}

bool LockedFile::isOpen() const
{
    return handle_ != nullptr;
}

long long LockedFile::readAt(std::int64_t offset, void* buffer, std::size_t size)
{
    if (!isOpen() || !seekTo(toHandle(handle_), offset, FILE_BEGIN))
        return -1;
    // ReadFile counts in a DWORD, which a 64-bit size_t outgrows; a read of up to size bytes may
    // stop short, as pread may.
    const DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!ReadFile(toHandle(handle_), buffer, want, &got, nullptr))
        return -1;
    return got;
}

bool LockedFile::append(const void* data, std::size_t size)
{
    if (!isOpen() || !seekTo(toHandle(handle_), 0, FILE_END))
        return false;
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(toHandle(handle_), next, chunk, &written, nullptr) || written == 0)
            return false;
        next += written;
        size -= written;
    }
    return true;
}

void LockedFile::rollBack()
{
    if (!isOpen())
        return;
    HANDLE file = toHandle(handle_);
    if (seekTo(file, originalSize_, FILE_BEGIN))
        SetEndOfFile(file);
    unlockAll(file);
    CloseHandle(file);
    handle_ = nullptr;
}

bool LockedFile::close()
{
    if (!isOpen())
        return true;
    HANDLE file = toHandle(handle_);
    const bool flushed = FlushFileBuffers(file) != 0;
    if (!flushed && seekTo(file, originalSize_, FILE_BEGIN))
        SetEndOfFile(file);
    unlockAll(file);
    const bool closed = CloseHandle(file) != 0;
    handle_ = nullptr;
    return flushed && closed;
}

} // namespace platform
