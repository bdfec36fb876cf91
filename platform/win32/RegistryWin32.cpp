// Registry keys below HKEY_LOCAL_MACHINE through advapi32.
#ifdef _WIN32

#include "Registry.h"

#include "Win32Utf16.h"

#include <vector>

namespace platform {

namespace {

// The analyser and the integration are 32-bit programs: on 64-bit Windows their installers write the
// 32-bit view of HKEY_LOCAL_MACHINE\Software (below WOW6432Node). A 32-bit program reads that view
// anyway; a 64-bit one must ask for it, or it would read the 64-bit view and find nothing.
constexpr REGSAM kReadIn32BitView = KEY_READ | KEY_WOW64_32KEY;

class Win32Key : public RegistryKey {
public:
    explicit Win32Key(HKEY key) : key_(key) {}
    ~Win32Key() override { RegCloseKey(key_); }
    Win32Key(const Win32Key&) = delete;
    Win32Key& operator=(const Win32Key&) = delete;

    bool queryInfo(std::uint32_t& subkeyCount, std::uint32_t& valueCount) const override
    {
        DWORD subkeys = 0;
        DWORD values = 0;
        if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        subkeyCount = subkeys;
        valueCount = values;
        return true;
    }

    bool enumSubkey(std::uint32_t index, std::uint32_t nameBufferChars, std::string& name) const override
    {
        std::vector<wchar_t> buffer(nameBufferChars + 1u, L'\0');
        DWORD length = nameBufferChars;
        if (RegEnumKeyExW(key_, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        name = win32::toUtf8(buffer.data(), static_cast<int>(length));
        return true;
    }

    bool enumValue(std::uint32_t index, std::uint32_t nameBufferChars, std::uint32_t dataBufferBytes,
                   std::string& name, std::string& data) const override
    {
        std::vector<wchar_t> nameBuffer(nameBufferChars + 1u, L'\0');
        std::vector<BYTE> dataBuffer(dataBufferBytes + 1u, 0);
        DWORD nameLength = nameBufferChars;
        DWORD dataLength = dataBufferBytes;
        DWORD type = 0;
        if (RegEnumValueW(key_, index, nameBuffer.data(), &nameLength, nullptr, &type, dataBuffer.data(),
                          &dataLength) != ERROR_SUCCESS)
            return false;
        name = win32::toUtf8(nameBuffer.data(), static_cast<int>(nameLength));
        data.assign(reinterpret_cast<const char*>(dataBuffer.data()), dataLength);
        return true;
    }

private:
    HKEY key_;
};

} // namespace

bool RegistryKey::readsExportFile()
{
    return false;
}

RegistryKey::OpenResult RegistryKey::openLocalMachine(const std::string& subkeyPath,
                                                      std::unique_ptr<RegistryKey>& key, std::string& error)
{
    (void)error;
    key.reset();
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, win32::toWide(subkeyPath).c_str(), 0, kReadIn32BitView, &handle) !=
        ERROR_SUCCESS)
        return OpenResult::Absent;
    key = std::make_unique<Win32Key>(handle);
    return OpenResult::Opened;
}

} // namespace platform

#endif
