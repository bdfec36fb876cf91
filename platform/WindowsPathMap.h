// Windows paths on the host: drive mapping and the file operations done through it.
#pragma once

#include <string>

namespace platform {

// The host path at which a Windows path (drive letter, "\\" or "/" separators) is found.
// Windows: the path itself. Portable: drive X: is the directory ZEMBRELCONF_DRIVES/x (/x when the
// variable is unset), a path without a drive starting with a separator is a host path, and each
// component that does not exist under its exact name is matched case-insensitively.
std::string hostPathOf(const std::string& windowsPath);

// All of the following take Windows paths and map them with hostPathOf.

// True when the path names an existing file or directory.
bool windowsPathExists(const std::string& windowsPath);
// True when the path names an existing regular file.
bool isWindowsFile(const std::string& windowsPath);
// Reads the whole file as bytes; false when it cannot be opened or read.
bool readWindowsFile(const std::string& windowsPath, std::string& bytes);
// Creates or truncates the file and writes the bytes; false on any failure.
bool writeWindowsFile(const std::string& windowsPath, const std::string& bytes);
// Deletes a file; false when it cannot be deleted. A read-only file cannot be deleted, as on Windows.
bool removeWindowsFile(const std::string& windowsPath);
// Creates the directory and every missing ancestor; true when it exists afterwards.
bool makeWindowsDirectories(const std::string& windowsPath);

} // namespace platform
