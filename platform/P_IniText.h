// The reading rules of Win32 initialisation files, on a file's text; used where the platform has
// no private-profile service of its own.
#pragma once

#include <string>

namespace platform {

// Looks the key up in the section of an INI text with the matching rules of privateProfileString
// (P_Profile.h). True and the value (quotes and blanks removed) if the key is there.
bool findIniValue(const std::string& text, const std::string& section, const std::string& key,
                  std::string& value);

} // namespace platform
