// Wind River's wrenv of the example installation on Windows, as C:\WindRiver\wrenv.exe: what
// examples/installation/drives/c/WindRiver/wrenv.sh does on Linux. It reads the personality
// generator's settings.txt from the directory named by its last argument and writes the personality
// those settings ask for, so that the wizard's generated-personality route runs to its end.
//   wrenv -p vxworks-<version> <run_vnh.exe> <generator bin directory>
#include "ProgramArguments.h"
#include "WindowsPathMap.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments = platform::programArguments(argc, argv);
    if (arguments.size() != 5 || arguments[1] != "-p") {
        std::fprintf(stderr, "usage: wrenv -p vxworks-<version> <program> <bin dir>\n");
        return 2;
    }
    const std::string settingsPath = arguments[4] + "\\settings.txt";
    std::string text;
    if (!platform::readWindowsFile(settingsPath, text)) {
        std::fprintf(stderr, "wrenv: no %s\n", settingsPath.c_str());
        return 1;
    }
    std::map<std::string, std::string> settings;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            settings[line.substr(0, equals)] = line.substr(equals + 1);
    }
    const std::string& destination = settings["PersonalityDestinationDirectory"];
    const std::string& name = settings["PersonalityName"];
    const std::string& family = settings["CompilerFamilySet"];
    std::string version = arguments[2];
    if (version.rfind("vxworks-", 0) == 0)
        version.erase(0, 8);
    const std::string personality = "// VEL C++ compiler personality generated for " + version + " (" + family +
                                    ")\r\n" + (family == "Diab" ? "-D__DCC__=1" : "-D__GNUC__=4") +
                                    "\r\n-D__VXWORKS__\r\n";
    if (destination.empty() || name.empty() || !platform::writeWindowsFile(destination + "\\" + name, personality)) {
        std::fprintf(stderr, "wrenv: bad settings in %s\n", settingsPath.c_str());
        return 1;
    }
    return 0;
}
