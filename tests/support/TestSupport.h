// Fixtures shared by the test suites: temporary directories, whole-file I/O, the environment and
// child processes. What differs per platform is implemented in posix/ and win32/.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// A fresh directory under the system's temporary directory, removed with everything in it. Its path
// is absolute and uses "/" separators on every platform (Windows: with a drive letter).
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
// False when this process reads and writes files whatever their permission bits say (POSIX: root).
// On Windows the read-only attribute binds every user.
bool fileModesBindThisProcess();

// Sets an environment variable of this process, or removes it (std::nullopt). Children started
// afterwards and the C library's getenv see the change.
void setEnvironment(const std::string& name, const std::optional<std::string>& value);

struct ProcessResult {
    int status = -1;       // exit status; POSIX: 128 + signal number when killed by a signal
    std::string out;       // everything written to standard output
    std::string err;       // everything written to standard error
};

struct ProcessOptions {
    std::string workingDirectory;                 // empty: the test's own
    std::map<std::string, std::string> env;       // the whole environment of the child
    bool inheritEnvironment = false;              // true: the test's environment, overlaid by env
    std::string input;                            // written to the child's standard input
};

// The PATH of a child started in a controlled environment: the system's own program directories
// (POSIX: /usr/bin and /bin; Windows: the system directory and the Windows directory).
std::string systemSearchPath();

// What a program of the project writes to a standard stream when it prints `text`: on Windows the
// streams are in text mode and every LF goes out as CR LF; elsewhere the text as it is.
std::string consoleText(const std::string& text);

// Runs a program (argv[0] is its path) and waits for it, capturing both output streams.
ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// The suffix of program files: ".exe" on Windows, empty elsewhere.
extern const char* const kProgramSuffix;

// Path of a program built by the project (for example "app/suppresszembrel"; the platform's
// program suffix is appended).
std::string builtProgram(const std::string& relativePath);
// Makes the built program (a path from builtProgram) available as `path` plus the program suffix:
// a symbolic link on POSIX, a copy on Windows (where symbolic links need a privilege).
void placeProgram(const std::string& program, const std::string& path);
// Path of a file in the source tree (for example "tests/rules/data/x.txt").
std::string sourceFile(const std::string& relativePath);

} // namespace testsupport
