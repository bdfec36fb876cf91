// Starting, limiting, waiting for and killing the fault tests' child processes: fork, setrlimit, waitpid.
#include "ChildProcess.h"

#include "ChildOutput.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <fcntl.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

namespace {

int statusOf(int raw)
{
    if (WIFEXITED(raw))
        return WEXITSTATUS(raw);
    if (WIFSIGNALED(raw))
        return 128 + WTERMSIG(raw);
    return -1;
}

} // namespace

ChildId startChild(const std::vector<std::string>& argv, const ChildOptions& options)
{
    // Everything the child needs is prepared before fork: only async-signal-safe calls follow it.
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> envText;
    for (const auto& [name, value] : options.env)
        envText.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string output = options.outputPath.empty() ? "/dev/null" : options.outputPath;

    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
            _exit(126);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = open("/dev/null", O_RDONLY);
        if (out < 0 || in < 0)
            _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        if (options.fileSizeLimit >= 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlim_t limit = static_cast<rlim_t>(options.fileSizeLimit);
            struct rlimit r = {limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &r) != 0)
                _exit(126);
        }
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    return pid;
}

int waitForChild(ChildId child, double seconds)
{
    const auto pid = static_cast<pid_t>(child);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        int raw = 0;
        const pid_t done = waitpid(pid, &raw, WNOHANG);
        if (done == pid)
            return statusOf(raw);
        if (done < 0)
            return -1;
        if (std::chrono::steady_clock::now() >= deadline) {
            killChild(child);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int killChild(ChildId child)
{
    const auto pid = static_cast<pid_t>(child);
    kill(pid, SIGKILL);
    int raw = 0;
    if (waitpid(pid, &raw, 0) != pid)
        return -1;
    return statusOf(raw);
}

ProcessResult runInChild(const std::string&, const std::function<void()>& action)
{
    int out[2];
    int err[2];
    if (pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    if (pipe(err) != 0) {
        close(out[0]);
        close(out[1]);
        throw std::runtime_error("pipe failed");
    }
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        close(out[0]);
        close(err[0]);
        dup2(out[1], 1);
        dup2(err[1], 2);
        action();
        std::fflush(nullptr);
        _exit(99);
    }
    close(out[1]);
    close(err[1]);
    ProcessResult result;
    posix::collectChild(pid, out[0], err[0], result);
    return result;
}

void runIfChildCase(const std::string&, const std::function<void()>&) {}

} // namespace testsupport
