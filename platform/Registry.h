// Read access to keys below HKEY_LOCAL_MACHINE: open, count, and enumerate subkeys and values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// An open registry key. The portable implementation reads HKEY_LOCAL_MACHINE from the registry
// export file named by the environment variable ZEMBRELCONF_REGISTRY, afresh at every open.
class RegistryKey {
public:
    enum class OpenResult { Opened, Absent, Broken };

    // Opens a key below HKEY_LOCAL_MACHINE for reading ("Software\\Maker\\Product").
    // Absent: the key does not exist. Broken: the registry itself cannot be read; `error` says why
    // (for the export file: the file name, the line and what is wrong with it).
    static OpenResult openLocalMachine(const std::string& subkeyPath, std::unique_ptr<RegistryKey>& key,
                                       std::string& error);

    // True where HKEY_LOCAL_MACHINE is read from an export file (ZEMBRELCONF_REGISTRY) rather than
    // from a Windows registry, and drives are directories (ZEMBRELCONF_DRIVES).
    static bool readsExportFile();

    virtual ~RegistryKey() = default;

    // Numbers of direct subkeys and of values; false when the key cannot answer.
    virtual bool queryInfo(std::uint32_t& subkeyCount, std::uint32_t& valueCount) const = 0;

    // Name (UTF-8) of subkey `index`, in the registry's order: by name, letters compared in upper
    // case (the portable implementation sorts the export file's keys so). False when it does not
    // fit a buffer of `nameBufferChars` UTF-16 characters including the terminating zero, or the
    // index is out of range.
    virtual bool enumSubkey(std::uint32_t index, std::uint32_t nameBufferChars, std::string& name) const = 0;

    // Name (UTF-8) and raw data bytes of value `index`; false when the name does not fit
    // `nameBufferChars` characters (terminator included), the data exceed `dataBufferBytes`,
    // or the index is out of range.
    virtual bool enumValue(std::uint32_t index, std::uint32_t nameBufferChars, std::uint32_t dataBufferBytes,
                           std::string& name, std::string& data) const = 0;
};

} // namespace platform
