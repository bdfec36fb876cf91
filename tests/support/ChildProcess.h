// Child processes for the fault tests: started without waiting, output to a file, killed at will.
#pragma once

#include "TestSupport.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct ChildOptions {
    std::string workingDirectory;             // empty: the test's own
    std::map<std::string, std::string> env;   // the whole environment of the child
    std::string outputPath;                   // standard output and error go here ("": discarded)
    long long fileSizeLimit = -1;             // POSIX only: RLIMIT_FSIZE in bytes; -1 leaves it unlimited
};

// A started child: its process id on POSIX, its process handle on Windows.
using ChildId = std::intptr_t;

// Starts the program (argv[0] is its path). With a file size limit the child ignores SIGXFSZ, so a
// write past the limit fails with EFBIG instead of killing it, as a full disk makes writes fail.
ChildId startChild(const std::vector<std::string>& argv, const ChildOptions& options);

// Waits until the child ends and answers its exit status (POSIX: 128 + the signal that ended it).
// When it is still running after `seconds`, kills it and answers -1.
int waitForChild(ChildId child, double seconds = 300);

// Kills the child at once (POSIX: SIGKILL; Windows: TerminateProcess) and reaps it; answers its
// status as waitForChild does.
int killChild(ChildId child);

// Cases of a test that end the process (fatal stops): each runs in a child of its own, and the test
// checks the child's status and output.
//
// POSIX: the child is a fork of the test, and runs the action from there. Windows, which has no
// fork: the child is this test program started again for the running test alone, with the case's
// name in its environment; the test body runs again in it and must reach runIfChildCase for that
// case before it changes anything (the child sees the files and registry the test prepared, and
// must not prepare them again).

// Runs `action` in a child process and answers its exit status and output; a child whose action
// returns ends with status 99.
ProcessResult runInChild(const std::string& caseName, const std::function<void()>& action);

// In the child started by runInChild for `caseName` (Windows only): runs `action` and ends the
// process, with status 99 if the action returns. Anywhere else: does nothing.
void runIfChildCase(const std::string& caseName, const std::function<void()>& action);

} // namespace testsupport
