// The process-wide program directory.
#include "QL_ProgramDirectory.h"

#include "U_PathNames.h"

std::string& programDirectory()
{
    static std::string directory;
    return directory;
}

std::string programDirectoryOf(const std::string& programName)
{
    const std::string name = toForwardSlashes(programName);
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}
