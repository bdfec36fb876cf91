// Private files on Windows: the temporary directory is the user's own; the file is moved into place.
#include "PrivateFile.h"

#include "P_Process.h"
#include "TemporaryName.h"

#include <windows.h>

#include <cstdint>

namespace platform {

namespace {

// Shared for reading and deleting, so that a writer can move a new file over this one meanwhile;
// this handle keeps reading the old one.
HANDLE openPrivate(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return nullptr;
    }
    return file;
}

bool readFully(HANDLE file, std::uint64_t offset, std::size_t size, char* buffer)
{
    std::size_t done = 0;
    while (done < size) {
        OVERLAPPED at = {};
        const std::uint64_t position = offset + done;
        at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        DWORD got = 0;
        if (!ReadFile(file, buffer + done, static_cast<DWORD>(size - done), &got, &at) || got == 0)
            return false;
        done += got;
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
    handle_ = openPrivate(path);
    LARGE_INTEGER size;
    if (handle_ && !GetFileSizeEx(static_cast<HANDLE>(handle_), &size)) {
        close();
        return false;
    }
    size_ = handle_ ? static_cast<std::uint64_t>(size.QuadPart) : 0;
    return handle_ != nullptr;
}

void PrivateFileReader::close()
{
    unmap();
    if (handle_)
        CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
    size_ = 0;
}

void PrivateFileReader::unmap()
{
    if (map_)
        UnmapViewOfFile(map_);
    if (mapping_)
        CloseHandle(static_cast<HANDLE>(mapping_));
    map_ = nullptr;
    mapping_ = nullptr;
    mapTried_ = false;
}

// The file cannot be cut short while this handle is open (it does not share writing), and a file
// moved over it leaves the mapping with the old one.
const char* PrivateFileReader::mapWhole(std::uint64_t, std::size_t)
{
    mapping_ = CreateFileMappingW(static_cast<HANDLE>(handle_), nullptr, PAGE_READONLY, 0, 0, nullptr);
    return mapping_ ? static_cast<const char*>(MapViewOfFile(static_cast<HANDLE>(mapping_), FILE_MAP_READ, 0, 0, 0))
                    : nullptr;
}

bool PrivateFileReader::isOpen() const
{
    return handle_ != nullptr;
}

bool PrivateFileReader::readAt(std::uint64_t offset, std::size_t size, char* buffer)
{
    return handle_ && readFully(static_cast<HANDLE>(handle_), offset, size, buffer);
}

bool replacePrivateFile(const std::string& path, const std::string& bytes)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::string directory = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const std::string temp = newNameInDirectory(directory, "zemb" + std::to_string(processId()) + "-");
    if (temp.empty())
        return false;
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::size_t done = 0;
    bool written = true;
    while (written && done < bytes.size()) {
        DWORD put = 0;
        written = WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put, nullptr) &&
                  put > 0;
        done += put;
    }
    written = CloseHandle(file) && written;
    // Refused while another process has the old file open without sharing its deletion; the next
    // run tries again.
    if (written && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(temp.c_str());
    return false;
}

} // namespace platform
