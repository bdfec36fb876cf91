// Collecting a forked child's standard output and error from two pipes, and its exit status.
#pragma once

#include "TestSupport.h"

#include <sys/types.h>

namespace testsupport::posix {

// Reads both pipes until the child closes them (into result.out and result.err), closes them,
// waits for the child and sets result.status (128 + the signal number when a signal ended it).
void collectChild(pid_t pid, int outFd, int errFd, ProcessResult& result);

} // namespace testsupport::posix
