// Platform services for path names: current directory, absolute and long path names, file tests.
// Win32 uses the kernel and shell services; elsewhere the C library and realpath stand in for them.
#pragma once

#include <cstdint>
#include <string>

namespace platform::fs {

// The process's current directory as the platform spells it (Win32: "\" separators), or "".
std::string currentDirectory();

// The absolute form of an existing directory, using a buffer of 260 bytes as the Win32 service does
// (Win32: GetFullPathNameA; elsewhere realpath). False when the platform cannot give it.
bool absolutePath(const std::string& path, std::string& result);

// The long-name form of an existing path, with the conventions of GetLongPathNameA: the length
// written (terminator not counted); the size needed, terminator counted, when the buffer is too
// small (the buffer is left alone); 0 on failure. Win32 looks GetLongPathNameA up in the kernel
// library on first use and falls back to a replacement built on the shell when it is missing or not
// implemented; elsewhere the canonical path (realpath) is the long form.
std::uint32_t longPathName(const char* path, char* buffer, std::uint32_t size);

bool exists(const std::string& path);
bool isDirectory(const std::string& path);
bool isRegularFile(const std::string& path);
// True if the file can be opened for reading.
bool isReadable(const std::string& path);
// Deletes a file; false if it could not be deleted.
bool removeFile(const std::string& path);

} // namespace platform::fs
