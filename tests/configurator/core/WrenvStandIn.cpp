// Stands in for Wind River's wrenv where the configurator starts it: writes the arguments it was
// given, one a line, to wrenv.args beside itself, and ends with the status written in wrenv.status
// beside itself (0 without that file).
#include "ProgramArguments.h"
#include "WindowsPathMap.h"

#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments = platform::programArguments(argc, argv);
    const std::string& self = arguments.at(0);
    const std::string directory = self.substr(0, self.find_last_of("/\\") + 1);

    std::string recorded;
    for (std::size_t i = 1; i < arguments.size(); ++i)
        recorded += arguments[i] + "\n";
    if (!platform::writeWindowsFile(directory + "wrenv.args", recorded))
        return 125;

    std::string status;
    if (!platform::readWindowsFile(directory + "wrenv.status", status))
        return 0;
    return std::atoi(status.c_str());
}
