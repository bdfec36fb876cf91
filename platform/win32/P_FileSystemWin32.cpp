// Path services on Win32: GetFullPathNameA, GetLongPathNameA (looked up at run time) and a
// replacement built on the shell for systems that lack it.
#include "P_FileSystem.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace platform::fs {
namespace {

constexpr DWORD kPathBuffer = 260;

using GetLongPathNameFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

// Long form of a full path name through the desktop folder of the shell: parse the name into an
// item list and ask for its path again, which the shell answers with long names.
bool shellLongName(const char* fullName, char* longName)
{
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop)
        return false;
    WCHAR wide[kPathBuffer];
    bool ok = MultiByteToWideChar(CP_ACP, 0, fullName, -1, wide, static_cast<int>(kPathBuffer)) != 0;
    LPITEMIDLIST items = nullptr;
    if (ok) {
        ULONG eaten = 0;
        ok = SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide, &eaten, &items, nullptr)) && items;
    }
    if (ok)
        ok = SHGetPathFromIDListA(items, longName) != FALSE;
    if (items) {
        IMalloc* allocator = nullptr;
        if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
            allocator->Free(items);
            allocator->Release();
        }
    }
    desktop->Release();
    return ok;
}

// The replacement of GetLongPathNameA, with its conventions.
DWORD WINAPI replacementLongPathName(LPCSTR path, LPSTR buffer, DWORD size)
{
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return 0;
    char fullName[kPathBuffer];
    LPSTR filePart = nullptr;
    const DWORD fullLength = GetFullPathNameA(path, kPathBuffer, fullName, &filePart);
    if (fullLength == 0 || fullLength >= kPathBuffer)
        return 0;
    char longName[kPathBuffer];
    if (!shellLongName(fullName, longName))
        return 0;
    const DWORD length = static_cast<DWORD>(std::strlen(longName));
    if (!buffer || length + 1 > size)
        return length + 1;
    std::memcpy(buffer, longName, length + 1);
    return length;
}

} // namespace

std::string currentDirectory()
{
    char buffer[kPathBuffer * 4];
    if (!_getcwd(buffer, static_cast<int>(sizeof buffer)))
        return "";
    return buffer;
}

bool absolutePath(const std::string& path, std::string& result)
{
    char buffer[kPathBuffer];
    LPSTR filePart = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), kPathBuffer, buffer, &filePart);
    if (length == 0 || length >= kPathBuffer)
        return false;
    result.assign(buffer, length);
    return true;
}

std::uint32_t longPathName(const char* path, char* buffer, std::uint32_t size)
{
    // Decided once per process: the kernel's service when it exists and is implemented, otherwise
    // the replacement.
    static GetLongPathNameFunction chosen = nullptr;
    if (!chosen) {
        GetLongPathNameFunction native = nullptr;
        if (HMODULE kernel = GetModuleHandleA("kernel32.dll"))
            native = reinterpret_cast<GetLongPathNameFunction>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "GetLongPathNameA")));
        if (native) {
            SetLastError(ERROR_SUCCESS);
            const DWORD result = native(path, buffer, size);
            if (result != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
                chosen = native;
                return result;
            }
        }
        chosen = replacementLongPathName;
    }
    return chosen(path, buffer, size);
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isRegularFile(const std::string& path)
{
    struct _stat info;
    return _stat(path.c_str(), &info) == 0 && (info.st_mode & _S_IFREG) != 0;
}

bool isReadable(const std::string& path)
{
    return _access(path.c_str(), 4) == 0;
}

bool removeFile(const std::string& path)
{
    return std::remove(path.c_str()) == 0;
}

} // namespace platform::fs
