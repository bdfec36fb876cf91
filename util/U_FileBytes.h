// Reading a whole file into memory in binary, with as few system calls as the platform allows.
#pragma once

#include <string>
#include <string_view>

// Replaces the bytes with the whole content of the file at the path, read in binary. False when the
// file cannot be opened. A read error ends the bytes where it happened; readFailed, when given,
// tells whether one did.
bool readWholeFile(const std::string& path, std::string& bytes, bool* readFailed = nullptr);

// Whether the file at the path holds exactly the bytes, read in binary piece by piece, as
// readWholeFile would read it: false when it cannot be opened or read whole, or differs. A process
// that only needs to know that a file is unchanged keeps no copy of it.
bool fileHoldsExactly(const std::string& path, std::string_view bytes);
