// The private-profile lookup on POSIX systems: the INI reader of P_IniText over the file's text.
#include "P_Profile.h"

#include "P_IniText.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform {

std::string profileDirectory()
{
    const char* windir = std::getenv("WINDIR");
    return windir && *windir ? windir : "/etc";
}

std::string privateProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, const std::string& fileName,
                                 unsigned bufferSize)
{
    std::string path = fileName;
    if (fileName.find_first_of("/\\") == std::string::npos)
        path = profileDirectory() + "/" + fileName;

    std::string value = defaultValue;
    std::ifstream in(path, std::ios::binary);
    if (in) {
        std::ostringstream text;
        text << in.rdbuf();
        std::string found;
        if (findIniValue(text.str(), section, key, found))
            value = found;
    }
    if (bufferSize == 0)
        return "";
    if (value.size() > bufferSize - 1)
        value.resize(bufferSize - 1);
    return value;
}

} // namespace platform
