// The short (8.3) form of an existing Windows path.
#pragma once

#include <string>

namespace platform {

// Sets `shortPath` to the system's short form of `path`, with "\\" separators whatever the path
// was written with, and answers true; false when the path does not exist or has no short form.
// The portable implementation answers the path itself with "/" turned into "\\" when the path,
// mapped to the host, exists.
bool shortPathName(const std::string& path, std::string& shortPath);

} // namespace platform
