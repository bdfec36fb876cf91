// Child processes for the fault tests: started without waiting, with a file size limit, killed at will.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace reltest {

struct ChildOptions {
    std::string workingDirectory;             // empty: the test's own
    std::map<std::string, std::string> env;   // the whole environment of the child
    std::string outputPath;                   // standard output and error go here ("" : /dev/null)
    long long fileSizeLimit = -1;             // RLIMIT_FSIZE in bytes; -1 leaves it unlimited
};

// Starts the program (argv[0] is its path). With a file size limit the child ignores SIGXFSZ, so a
// write past the limit fails with EFBIG instead of killing it, as a full disk makes writes fail.
pid_t startChild(const std::vector<std::string>& argv, const ChildOptions& options);

// Waits until the child ends and answers its exit status, or 128 + the signal that ended it.
// When it is still running after `seconds`, kills it and answers -1.
int waitForChild(pid_t pid, double seconds = 300);

// Sends SIGKILL and reaps the child; answers its status as waitForChild does.
int killChild(pid_t pid);

} // namespace reltest
