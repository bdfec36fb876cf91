// Reading a whole file into memory in binary, with as few system calls as the platform allows.
#pragma once

#include <string>

// Replaces the bytes with the whole content of the file at the path, read in binary. False when the
// file cannot be opened. A read error ends the bytes where it happened; readFailed, when given,
// tells whether one did.
bool readWholeFile(const std::string& path, std::string& bytes, bool* readFailed = nullptr);
