// Starting a program by its Windows path on the host, and waiting for its exit code.
#include "ProcessRunner.h"

#include "WindowsPathMap.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace platform {

namespace {

bool isFile(const std::string& host, bool& executable)
{
    struct stat st;
    if (::stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    executable = (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
    return true;
}

} // namespace

int runProgramAndWait(const std::string& program, const std::vector<std::string>& arguments)
{
    const std::string host = hostPathOf(program);
    const std::string script = hostPathOf(program + ".sh");
    std::vector<std::string> argv;
    bool executable = false;
    if (isFile(host, executable) && executable) {
        argv.push_back(host);
    } else if (isFile(script, executable)) {
        // A script stands in for a Windows program; one without the execute bit runs through sh.
        if (!executable)
            argv.push_back("/bin/sh");
        argv.push_back(script);
    } else {
        return -1;
    }
    argv.insert(argv.end(), arguments.begin(), arguments.end());

    std::vector<char*> args;
    for (std::string& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);

    std::fflush(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return -1;
}

} // namespace platform
