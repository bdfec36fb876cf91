// Starting, waiting for and killing the fault tests' child processes: CreateProcessW,
// WaitForSingleObject, TerminateProcess.
#include "ChildProcess.h"

#include "Win32Spawn.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace testsupport {

namespace {

HANDLE handleOf(ChildId child)
{
    return reinterpret_cast<HANDLE>(child);
}

// The exit code a killed child reports: what SIGKILL gives on POSIX.
constexpr UINT kKilledStatus = 128 + 9;

} // namespace

ChildId startChild(const std::vector<std::string>& argv, const ChildOptions& options)
{
    if (options.fileSizeLimit >= 0)
        throw std::runtime_error("Windows has no file size limit for a process");
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
    const std::wstring outputPath = win32::toWide(options.outputPath.empty() ? "NUL" : options.outputPath);
    const HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      &attributes, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE || input == INVALID_HANDLE_VALUE) {
        if (output != INVALID_HANDLE_VALUE)
            CloseHandle(output);
        if (input != INVALID_HANDLE_VALUE)
            CloseHandle(input);
        throw std::runtime_error("cannot open the child's standard handles");
    }
    HANDLE process = nullptr;
    try {
        process = win32::spawn(argv, options.env, options.workingDirectory, input, output, output);
    } catch (...) {
        CloseHandle(output);
        CloseHandle(input);
        throw;
    }
    CloseHandle(output);
    CloseHandle(input);
    return reinterpret_cast<ChildId>(process);
}

int waitForChild(ChildId child, double seconds)
{
    const DWORD milliseconds = static_cast<DWORD>(seconds * 1000);
    if (WaitForSingleObject(handleOf(child), milliseconds) != WAIT_OBJECT_0) {
        killChild(child);
        return -1;
    }
    const int status = win32::exitCodeOf(handleOf(child));
    CloseHandle(handleOf(child));
    return status;
}

int killChild(ChildId child)
{
    TerminateProcess(handleOf(child), kKilledStatus);
    WaitForSingleObject(handleOf(child), INFINITE);
    const int status = win32::exitCodeOf(handleOf(child));
    CloseHandle(handleOf(child));
    return status;
}

namespace {

// Names the case a child started by runInChild is to run.
constexpr const char* kChildCaseVariable = "ZEMB_CHILD_CASE";

std::string thisProgram()
{
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("GetModuleFileNameW failed");
    return win32::toNarrow(std::wstring(path, length));
}

} // namespace

ProcessResult runInChild(const std::string& caseName, const std::function<void()>&)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!test)
        throw std::runtime_error("runInChild needs a running test");
    ProcessOptions options;
    options.inheritEnvironment = true;
    options.env[kChildCaseVariable] = caseName;
    return runProcess({thisProgram(), std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name()},
                      options);
}

void runIfChildCase(const std::string& caseName, const std::function<void()>& action)
{
    const char* asked = std::getenv(kChildCaseVariable);
    if (!asked || caseName != asked)
        return;
    action();
    std::fflush(nullptr);
    std::_Exit(99);
}

} // namespace testsupport
