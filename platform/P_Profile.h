// The private-profile (".ini" file) lookup: GetPrivateProfileStringA on Win32, an INI reader with
// the same matching rules elsewhere.
#pragma once

#include <string>

namespace platform {

// The value of the key in the section of the initialisation file, at most bufferSize - 1 bytes,
// or the default when the file, the section or the key is missing.
//
// Matching as the Win32 service does it: section and key names are compared ignoring the case of
// letters and the blanks around them; the first section of that name and the first key in it win;
// blanks around the value are dropped, and so is one pair of matching quotes around it; lines
// starting with ";" are comments.
//
// A file name without any "/" or "\" is looked up in the platform's default directory for such
// files (Win32: the Windows directory; elsewhere the directory named by the environment variable
// WINDIR, or "/etc" when it is unset); any other name is used as it stands.
std::string privateProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, const std::string& fileName,
                                 unsigned bufferSize);

// Where a file name without a directory is looked up.
std::string profileDirectory();

} // namespace platform
