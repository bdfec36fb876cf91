// Generation of new file names in a directory, shared by the platform implementations.
#pragma once

#include <string>

namespace platform {

// A name "<directory>/<prefix><five letters or digits>" that no file has yet, or "" when none is
// found. The directory is used as it is given (a "/" is added unless it ends with "/" or "\").
std::string newNameInDirectory(const std::string& directory, const std::string& prefix);

} // namespace platform
