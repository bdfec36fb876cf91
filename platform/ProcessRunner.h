// Starting a program synchronously and collecting its exit code.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts the program at the Windows path `program` with exactly these arguments, waits until it
// ends and answers its exit code. A program that cannot be started answers -1. The portable
// implementation maps the path to the host and also tries the name with ".sh" appended.
int runProgramAndWait(const std::string& program, const std::vector<std::string>& arguments);

} // namespace platform
