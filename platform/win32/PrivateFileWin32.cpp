// Private files on Windows: the temporary directory is the user's own; the file is moved into place.
#include "PrivateFile.h"

#include "P_Process.h"
#include "TemporaryName.h"

#include <windows.h>

namespace platform {

bool readPrivateFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    // Shared for reading and deleting, so that a writer can move a new file over this one meanwhile;
    // this handle keeps reading the old one.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    const bool regular = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) &&
                         size.QuadPart >= 0 && size.QuadPart < (1ll << 31);
    if (!regular) {
        CloseHandle(file);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr) || got == 0)
            break;
        done += got;
    }
    CloseHandle(file);
    if (done != bytes.size()) {
        bytes.clear();
        return false;
    }
    return true;
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
