// Names the error file that belongs to a source file.
#include "M_ErrorFilePath.h"

#include "U_PathNames.h"

std::string M_errorFilePath(const std::string& directory, const std::string& sourceFile)
{
    return joinPath(directory, addExtension(baseName(sourceFile), "err"));
}
