// Fixtures shared by the test suites: temporary directories, whole-file I/O and child processes.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testsupport {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // The path of a name inside the directory ("sub/a.c" gives "<dir>/sub/a.c").
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string readBytes(const std::string& path);
// Writes the bytes as they are, creating missing parent directories.
void writeBytes(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

struct ProcessResult {
    int status = -1;       // exit status, or 128 + signal number when killed by a signal
    std::string out;       // everything written to standard output
    std::string err;       // everything written to standard error
};

struct ProcessOptions {
    std::string workingDirectory;                 // empty: the test's own
    std::map<std::string, std::string> env;       // the whole environment of the child
    bool inheritEnvironment = false;              // true: the test's environment, overlaid by env
    std::string input;                            // written to the child's standard input
};

// Runs a program (argv[0] is its path) and waits for it, capturing both output streams.
ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// Path of a program built by the project (for example "app/suppresszembrel").
std::string builtProgram(const std::string& relativePath);
// Path of a file in the source tree (for example "tests/rules/data/x.txt").
std::string sourceFile(const std::string& relativePath);

} // namespace testsupport
