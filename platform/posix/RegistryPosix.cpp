// HKEY_LOCAL_MACHINE read from the registry export file named by ZEMBRELCONF_REGISTRY.
#include "Registry.h"

#include "RegExportFile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace platform {

namespace {

// A snapshot of one key, taken when it is opened.
class ExportedKey : public RegistryKey {
public:
    ExportedKey(std::vector<std::string> subkeys, std::vector<RegExportValue> values)
        : subkeys_(std::move(subkeys)), values_(std::move(values))
    {
    }

    bool queryInfo(std::uint32_t& subkeyCount, std::uint32_t& valueCount) const override
    {
        subkeyCount = static_cast<std::uint32_t>(subkeys_.size());
        valueCount = static_cast<std::uint32_t>(values_.size());
        return true;
    }

    bool enumSubkey(std::uint32_t index, std::uint32_t nameBufferChars, std::string& name) const override
    {
        if (index >= subkeys_.size() || utf16Length(subkeys_[index]) + 1 > nameBufferChars)
            return false;
        name = subkeys_[index];
        return true;
    }

    bool enumValue(std::uint32_t index, std::uint32_t nameBufferChars, std::uint32_t dataBufferBytes,
                   std::string& name, std::string& data) const override
    {
        if (index >= values_.size())
            return false;
        const RegExportValue& v = values_[index];
        if (utf16Length(v.name) + 1 > nameBufferChars || v.data.size() > dataBufferBytes)
            return false;
        name = v.name;
        data = v.data;
        return true;
    }

private:
    // Number of UTF-16 code units of a UTF-8 text, as the Windows buffers count them.
    static std::size_t utf16Length(const std::string& utf8)
    {
        std::size_t n = 0;
        for (unsigned char c : utf8) {
            if ((c & 0xC0) != 0x80)
                n += (c >= 0xF0) ? 2 : 1;
        }
        return n;
    }

    std::vector<std::string> subkeys_;
    std::vector<RegExportValue> values_;
};

// The order in which Windows enumerates subkeys: by name, letters compared in upper case (the
// registry keeps each key's subkeys sorted so), whatever order the export file gives them in.
bool beforeInRegistryOrder(const std::string& a, const std::string& b)
{
    const auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return upper(x) < upper(y); });
}

} // namespace

bool RegistryKey::readsExportFile()
{
    return true;
}

RegistryKey::OpenResult RegistryKey::openLocalMachine(const std::string& subkeyPath,
                                                      std::unique_ptr<RegistryKey>& key, std::string& error)
{
    key.reset();
    const char* file = std::getenv("ZEMBRELCONF_REGISTRY");
    if (!file || !*file)
        return OpenResult::Absent;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = std::string("Cannot read registry file ") + file;
        return OpenResult::Broken;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    RegExport registry;
    if (!registry.parse(bytes, file, error))
        return OpenResult::Broken;
    std::size_t node = 0;
    if (!registry.find("HKEY_LOCAL_MACHINE\\" + subkeyPath, node))
        return OpenResult::Absent;
    std::vector<std::string> subkeys;
    for (std::size_t child : registry.node(node).children)
        subkeys.push_back(registry.node(child).name);
    std::stable_sort(subkeys.begin(), subkeys.end(), beforeInRegistryOrder);
    key = std::make_unique<ExportedKey>(std::move(subkeys), registry.node(node).values);
    return OpenResult::Opened;
}

} // namespace platform
