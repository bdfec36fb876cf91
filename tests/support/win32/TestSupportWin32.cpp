// Fixtures shared by the test suites: the Win32 implementation (temporary directories below the
// user's temporary directory, CreateProcessW with pipes, _putenv_s).
#include "TestSupport.h"

#include "Win32Spawn.h"

#include "win32/Win32CommandLine.h"
#include "win32/Win32Utf16.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <thread>

namespace testsupport {

const char* const kProgramSuffix = ".exe";

namespace win32 {

std::wstring toWide(const std::string& text)
{
    return platform::win32::toWide(text);
}

std::string toNarrow(const std::wstring& text)
{
    return platform::win32::toUtf8(text.data(), static_cast<int>(text.size()));
}

std::map<std::string, std::string> currentEnvironment()
{
    std::map<std::string, std::string> env;
    wchar_t* block = GetEnvironmentStringsW();
    if (!block)
        return env;
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
        const std::string text = toNarrow(entry);
        // Entries such as "=C:=C:\dir" (each drive's current directory) have no name of their own.
        const std::size_t eq = text.find('=', 1);
        if (text[0] != '=' && eq != std::string::npos)
            env[text.substr(0, eq)] = text.substr(eq + 1);
    }
    FreeEnvironmentStringsW(block);
    return env;
}

HANDLE spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& workingDirectory, HANDLE input, HANDLE output, HANDLE error)
{
    if (argv.empty())
        throw std::runtime_error("no program to start");
    std::vector<std::wstring> wideArgs;
    for (const std::string& arg : argv)
        wideArgs.push_back(toWide(arg));
    std::wstring application = wideArgs[0];
    for (wchar_t& c : application) {
        if (c == L'/')
            c = L'\\';
    }
    std::vector<wchar_t> commandLine = platform::win32::commandLine(wideArgs);

    std::wstring block;
    for (const auto& [name, value] : env)
        block += toWide(name + "=" + value) + L'\0';
    block += L'\0';
    if (env.empty())
        block += L'\0';

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION info = {};
    const std::wstring directory = toWide(workingDirectory);
    // Wine's process start now and then fails with ERROR_INTERNAL_ERROR while the machine is busy
    // starting other processes; a failure of the test's own start is not the program's, so that one
    // is tried again a few times.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                           block.data(), directory.empty() ? nullptr : directory.c_str(), &startup, &info))
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 5)
            throw std::runtime_error("cannot start " + argv[0] + " (error " + std::to_string(error) + ")");
        Sleep(200 * attempt);
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

int exitCodeOf(HANDLE process)
{
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code))
        return -1;
    return static_cast<int>(code);
}

} // namespace win32

TempDir::TempDir()
{
    wchar_t base[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("GetTempPathW failed");
    wchar_t longBase[MAX_PATH + 1];
    const DWORD longLength = GetLongPathNameW(base, longBase, MAX_PATH + 1);
    std::string directory = win32::toNarrow(longLength > 0 && longLength <= MAX_PATH ? longBase : base);
    for (char& c : directory) {
        if (c == '\\')
            c = '/';
    }
    if (directory.back() != '/')
        directory += '/';
    std::random_device seed;
    std::mt19937 random(seed() ^ GetCurrentProcessId());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = directory + "zembtest." + std::to_string(random() % 1000000000u);
        if (CreateDirectoryW(win32::toWide(candidate).c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    throw std::runtime_error("cannot make a temporary directory in " + directory);
}

std::string systemSearchPath()
{
    wchar_t system[MAX_PATH + 1];
    wchar_t windows[MAX_PATH + 1];
    const UINT systemLength = GetSystemDirectoryW(system, MAX_PATH + 1);
    const UINT windowsLength = GetWindowsDirectoryW(windows, MAX_PATH + 1);
    if (systemLength == 0 || systemLength > MAX_PATH || windowsLength == 0 || windowsLength > MAX_PATH)
        throw std::runtime_error("cannot find the Windows directories");
    return win32::toNarrow(system) + ";" + win32::toNarrow(windows);
}

std::string consoleText(const std::string& text)
{
    std::string crlf;
    for (char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

bool fileModesBindThisProcess()
{
    return true;
}

void placeProgram(const std::string& program, const std::string& path)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::filesystem::copy_file(program, path + kProgramSuffix);
}

void setEnvironment(const std::string& name, const std::optional<std::string>& value)
{
    // _putenv_s with an empty value removes the variable (Windows has no empty variables).
    if (_putenv_s(name.c_str(), value ? value->c_str() : "") != 0)
        throw std::runtime_error("cannot set " + name);
}

namespace {

void readAll(HANDLE pipe, std::string& sink)
{
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        sink.append(buffer, got);
}

struct Pipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    // The child inherits the read end when it reads (standard input), else the write end.
    explicit Pipe(bool childReads)
    {
        SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
        if (!CreatePipe(&read, &write, &attributes, 0))
            throw std::runtime_error("CreatePipe failed");
        SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0);
    }
    ~Pipe()
    {
        close(read);
        close(write);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    static void close(HANDLE& handle)
    {
        if (handle)
            CloseHandle(handle);
        handle = nullptr;
    }
};

} // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options)
{
    std::map<std::string, std::string> env;
    if (options.inheritEnvironment)
        env = win32::currentEnvironment();
    for (const auto& [name, value] : options.env) {
        // Windows names ignore case: an overlaid variable replaces the inherited one of any spelling.
        for (auto it = env.begin(); it != env.end();)
            it = _stricmp(it->first.c_str(), name.c_str()) == 0 ? env.erase(it) : std::next(it);
        env[name] = value;
    }

    Pipe out(false), err(false), in(true);
    const HANDLE process = win32::spawn(argv, env, options.workingDirectory, in.read, out.write, err.write);
    Pipe::close(out.write);
    Pipe::close(err.write);
    Pipe::close(in.read);

    ProcessResult result;
    std::thread outReader(readAll, out.read, std::ref(result.out));
    std::thread errReader(readAll, err.read, std::ref(result.err));
    std::size_t written = 0;
    while (written < options.input.size()) {
        DWORD n = 0;
        if (!WriteFile(in.write, options.input.data() + written, static_cast<DWORD>(options.input.size() - written),
                       &n, nullptr) || n == 0)
            break;
        written += n;
    }
    Pipe::close(in.write);
    outReader.join();
    errReader.join();
    WaitForSingleObject(process, INFINITE);
    result.status = win32::exitCodeOf(process);
    CloseHandle(process);
    return result;
}

} // namespace testsupport
