// Installation discovery through the registry and the file system.
#include "Discovery.h"

#include "ConfMessages.h"
#include "MessageSink.h"
#include "WizardSettings.h"

#include "Registry.h"
#include "RegistryText.h"
#include "ShortPath.h"
#include "WindowsPathMap.h"

#include <cstdint>
#include <memory>

namespace conf {

const char* const kVelcppKey = "Software\\NX:VEL\\VEL C++ Source Code Analyser";
const char* const kIntegrationKey = "Software\\NX:VEL\\ZembrelIntegration";
const char* const kVarnholtKey = "Software\\NX:VEL\\Varnholt";

namespace {

constexpr std::uint32_t kSubkeyNameChars = 255;
constexpr std::uint32_t kValueNameChars = 16383;
constexpr std::uint32_t kValueDataBytes = 1024;

struct VsPersonality {
    const char* label;
    const char* file;
};

const VsPersonality kVsPersonalities[] = {
    {"6", "\\personalities\\mvc6.p_c"},
    {"2003", "\\personalities\\VC++NET_2003.p_c"},
    {"2005", "\\personalities\\VC++2005.p_c"},
    {"2008", "\\personalities\\VC++2008.p_c"},
};

// Opens a key; a registry that cannot be read at all is fatal.
std::unique_ptr<platform::RegistryKey> openKey(const std::string& path)
{
    std::unique_ptr<platform::RegistryKey> key;
    std::string error;
    if (platform::RegistryKey::openLocalMachine(path, key, error) == platform::RegistryKey::OpenResult::Broken) {
        showWarning(error);
        endWithStatus(10);
    }
    return key;
}

// The first value named `name` (case-sensitive) of the key; false when the key or value is absent.
bool lookupValue(const std::string& keyPath, const std::string& name, std::string& text)
{
    const std::unique_ptr<platform::RegistryKey> key = openKey(keyPath);
    if (!key)
        return false;
    for (const auto& value : readRegistryKey(*key).values) {
        if (value.first == name) {
            text = value.second;
            return true;
        }
    }
    return false;
}

std::string requiredValue(const char* name, const char* missingMessage, const char* keyPath)
{
    std::string text;
    if (!lookupValue(keyPath, name, text)) {
        showWarning(missingMessage);
        endWithStatus(0);
    }
    return text;
}

std::string normalisedDirectory(std::string dir)
{
    for (char& c : dir) {
        if (c == '/')
            c = '\\';
    }
    while (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    return toShortPath(dir);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string> versionRuns(const std::string& s)
{
    std::vector<std::string> runs;
    std::string current;
    bool digits = true;
    for (char c : s) {
        if (isDigit(c) != digits) {
            runs.push_back(current);
            current.clear();
            digits = !digits;
        }
        current += c;
    }
    if (!current.empty())
        runs.push_back(current);
    return runs;
}

} // namespace

RegistryKeyContents readRegistryKey(const platform::RegistryKey& key)
{
    RegistryKeyContents contents;
    std::uint32_t subkeyCount = 0;
    std::uint32_t valueCount = 0;
    if (!key.queryInfo(subkeyCount, valueCount))
        return contents;
    for (std::uint32_t i = 0; i < subkeyCount; ++i) {
        std::string name;
        if (key.enumSubkey(i, kSubkeyNameChars, name))
            contents.subkeys.push_back(name);
    }
    for (std::uint32_t i = 0; i < valueCount; ++i) {
        std::string name;
        std::string data;
        if (key.enumValue(i, kValueNameChars, kValueDataBytes, name, data))
            contents.values.emplace_back(name, platform::registryStringToUtf8(data));
    }
    return contents;
}

std::vector<std::string> findVelcppVersions()
{
    std::vector<std::string> versions;
    const std::unique_ptr<platform::RegistryKey> key = openKey(kVelcppKey);
    if (!key)
        return versions;
    for (const std::string& name : readRegistryKey(*key).subkeys) {
        if (compareVersions(name, "2.4") >= 0 && compareVersions(name, "3.0.99") <= 0)
            versions.push_back(name);
    }
    return versions;
}

std::string findVelcppPath(const std::string& version)
{
    std::string path;
    if (!lookupValue(std::string(kVelcppKey) + "\\" + version, "Path", path))
        path = msg::kUnassignedPath;
    return toShortPath(path);
}

bool lookupVelcppPath(const std::string& version, std::string& shortPath)
{
    std::string path;
    return lookupValue(std::string(kVelcppKey) + "\\" + version, "Path", path) &&
           platform::shortPathName(path, shortPath);
}

std::string findZembDir()
{
    return normalisedDirectory(requiredValue("ZembDir", msg::kNoZembDir, kIntegrationKey));
}

std::string findZembIntLocationDir()
{
    return normalisedDirectory(requiredValue("ZembIntLocationDir", msg::kNoZembIntLocationDir, kIntegrationKey));
}

std::string findVnhDir() { return requiredValue("VNHDIR", msg::kNoVnhDir, kVarnholtKey); }

std::string toShortPath(const std::string& path)
{
    std::string shortPath;
    if (!platform::shortPathName(path, shortPath)) {
        showWarning(msg::kNoShortPath + path);
        endWithStatus(10);
    }
    return shortPath;
}

std::vector<std::string> availableVsVersions()
{
    return availableVsVersions(WizardSettings::instance().velcppPath);
}

std::vector<std::string> availableVsVersions(const std::string& velcppPath)
{
    std::vector<std::string> labels;
    for (const VsPersonality& row : kVsPersonalities) {
        if (platform::windowsPathExists(velcppPath + row.file))
            labels.push_back(row.label);
    }
    return labels;
}

std::string personalityForVsVersion(const std::string& label)
{
    return personalityForVsVersion(WizardSettings::instance().velcppPath, label);
}

std::string personalityForVsVersion(const std::string& velcppPath, const std::string& label)
{
    for (const VsPersonality& row : kVsPersonalities) {
        if (label == row.label)
            return velcppPath + row.file;
    }
    showWarning(msg::kUnknownVsVersion);
    endWithStatus(10);
}

int compareVersions(const std::string& a, const std::string& b)
{
    const std::vector<std::string> ra = versionRuns(a);
    const std::vector<std::string> rb = versionRuns(b);
    const std::size_t common = ra.size() < rb.size() ? ra.size() : rb.size();
    for (std::size_t i = 0; i < common; ++i) {
        if (ra[i] == rb[i])
            continue;
        if (!ra[i].empty() && isDigit(ra[i][0]) && ra[i].size() != rb[i].size())
            return ra[i].size() < rb[i].size() ? -1 : 1;
        return ra[i].compare(rb[i]) < 0 ? -1 : 1;
    }
    if (ra.size() == rb.size())
        return 0;
    return ra.size() < rb.size() ? -1 : 1;
}

} // namespace conf
