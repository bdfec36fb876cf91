// Installation discovery: registry lookups, the version filter, short paths, Visual Studio personalities.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform {
class RegistryKey;
}

namespace conf {

// Subkey names and (value name, value text) pairs of a key, both in enumeration order.
struct RegistryKeyContents {
    std::vector<std::string> subkeys;
    std::vector<std::pair<std::string, std::string>> values;
};

// Registry keys read below HKEY_LOCAL_MACHINE.
extern const char* const kVelcppKey;      // "Software\\NX:VEL\\VEL C++ Source Code Analyser"
extern const char* const kIntegrationKey; // "Software\\NX:VEL\\ZembrelIntegration"
extern const char* const kVarnholtKey;    // "Software\\NX:VEL\\Varnholt"

// Reads every subkey name and value of an open key; entries that do not fit the buffers are skipped.
// Value data are taken as a zero-terminated UTF-16 string and answered in UTF-8.
RegistryKeyContents readRegistryKey(const platform::RegistryKey& key);

// Installed analyser versions from "2.4" to "3.0.99" inclusive, in enumeration order.
std::vector<std::string> findVelcppVersions();
// Short path of the installation of `version` (ends the process with code 10 when it has none).
std::string findVelcppPath(const std::string& version);
// The same without ending the process: false when `version` has no "Path" value or the path has
// no short form (for listing what an installation offers).
bool lookupVelcppPath(const std::string& version, std::string& shortPath);
// The Zembrel directory: short path, backslashes, no trailing backslash (ends with 0 when missing).
std::string findZembDir();
// The integration location directory, normalised like findZembDir (ends with 0 when missing).
std::string findZembIntLocationDir();
// The personality generator's directory exactly as stored (ends with 0 when missing).
std::string findVnhDir();
// The short form of an existing path; shows "Cannot get short path of " + path and ends with 10 otherwise.
std::string toShortPath(const std::string& path);

// Visual Studio labels, in table order, whose personality exists below WizardSettings::velcppPath.
std::vector<std::string> availableVsVersions();
// The same below the analyser directory `velcppPath`.
std::vector<std::string> availableVsVersions(const std::string& velcppPath);
// WizardSettings::velcppPath + the personality file of the label (ends with 10 for an unknown label).
std::string personalityForVsVersion(const std::string& label);
// The same below the analyser directory `velcppPath`.
std::string personalityForVsVersion(const std::string& velcppPath, const std::string& label);

// Compares version texts by alternating digit and non-digit runs: <0, 0 or >0.
int compareVersions(const std::string& a, const std::string& b);

} // namespace conf
