// Process services used for temporary file names.
#pragma once

#include <string>

namespace platform {

unsigned long processId();

// A name for a new temporary file in the directory, starting with the prefix, that no file has yet
// (the file is not created). An empty directory means the platform's default temporary directory.
// "" when no name can be generated (for example when the directory does not exist).
std::string temporaryFileName(const std::string& directory, const std::string& prefix);

} // namespace platform
