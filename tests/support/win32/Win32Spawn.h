// Starting a child process with CreateProcessW: one place for the command line, the environment
// block and the standard handles of the Win32 test support.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace testsupport::win32 {

std::wstring toWide(const std::string& text);
std::string toNarrow(const std::wstring& text);

// The test's own environment, names as Windows spells them.
std::map<std::string, std::string> currentEnvironment();

// Starts argv[0] with the arguments, exactly the environment `env`, in `workingDirectory` (empty:
// the test's own) and with the three standard handles, which must be inheritable. Answers the
// process handle; throws when the program cannot be started.
HANDLE spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& workingDirectory, HANDLE input, HANDLE output, HANDLE error);

// The exit code of a process that has ended.
int exitCodeOf(HANDLE process);

} // namespace testsupport::win32
