// The fake installation on Windows: files on the real drives C: and D:, keys in the real registry,
// imported with reg import as an installer's export would be, of a Windows given over to the tests.
#include "FakeInstallation.h"

#include "RegExportFile.h"
#include "win32/Win32Utf16.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace conftest {

namespace fs = std::filesystem;

namespace {

// The drives the installation has, and the folders of C: that are Windows' own.
constexpr char kDrives[] = {'c', 'd'};
const char* const kSystemFolders[] = {"windows", "users", "programdata", "program files", "program files (x86)"};

// The key every installation fills, removed whatever a test left in it.
const char* const kInstallationKey = "Software\\NX:VEL";

std::string lowerCase(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

fs::path driveRoot(char drive)
{
    return fs::u8path(std::string(1, drive) + ":/");
}

// The entries at the top of a drive that belong to the installation: all but Windows' own folders.
std::vector<fs::path> installationEntries(char drive)
{
    std::vector<fs::path> entries;
    // An empty drive has not even "." and "..", so listing it fails as if it were missing.
    std::error_code ec;
    fs::directory_iterator listing(driveRoot(drive), ec);
    if (ec) {
        if (!fs::is_directory(driveRoot(drive)))
            throw std::runtime_error(std::string("cannot list drive ") + drive + ": " + ec.message());
        return entries;
    }
    for (const auto& entry : listing) {
        const std::string name = lowerCase(entry.path().filename().u8string());
        bool system = false;
        for (const char* folder : kSystemFolders)
            system = system || (drive == 'c' && name == folder);
        if (!system)
            entries.push_back(entry.path());
    }
    return entries;
}

// Removes everything of an installation from the drives; read-only files (a test's doing) too.
void clearDrives()
{
    for (char drive : kDrives) {
        for (const fs::path& entry : installationEntries(drive)) {
            std::error_code ec;
            fs::permissions(entry, fs::perms::owner_write, fs::perm_options::add, ec);
            for (auto it = fs::recursive_directory_iterator(entry, ec); !ec && it != fs::recursive_directory_iterator();
                 it.increment(ec))
                fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
            fs::remove_all(entry);
        }
    }
}

// The installation takes a whole Windows over: it must be one that was given to the tests.
void requireDisposableWindows()
{
    const char* mark = std::getenv("ZEMB_DISPOSABLE_WINDOWS");
    if (!mark || std::string(mark) != "1")
        throw std::runtime_error("the configurator's tests take drives C: and D: and HKEY_LOCAL_MACHINE\\Software\\NX:VEL "
                                 "over; run them with ZEMB_DISPOSABLE_WINDOWS=1 in a Windows (a Wine prefix) of "
                                 "their own, as ctest does");
    std::error_code ec;
    if (!fs::is_directory(driveRoot('d'), ec))
        throw std::runtime_error("drive D: is not mapped (scripts/wine-run --drive D:=<directory>)");
}

// The installers of the analyser and the integration are 32-bit programs: on 64-bit Windows their
// keys live in the 32-bit view of HKEY_LOCAL_MACHINE\\Software, and so do the installation's.
bool keyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, platform::win32::toWide(path).c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Deletes a key with its subkeys; below Software, in the 32-bit view, which a 64-bit program reaches
// through a handle of Software opened in that view.
void deleteKey(const std::string& path)
{
    const std::string software = "software\\";
    if (lowerCase(path.substr(0, software.size())) != software) {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, platform::win32::toWide(path).c_str());
        return;
    }
    HKEY view = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &view) != ERROR_SUCCESS)
        return;
    RegDeleteTreeW(view, platform::win32::toWide(path.substr(software.size())).c_str());
    RegCloseKey(view);
}

// The keys below HKEY_LOCAL_MACHINE that importing the export creates: those it names that do not
// exist yet, each without its subkeys (they go with it).
void collectNewKeys(const platform::RegExport& reg, std::size_t node, const std::string& path,
                    std::vector<std::string>& keys)
{
    for (std::size_t child : reg.node(node).children) {
        const std::string childPath = path.empty() ? reg.node(child).name : path + "\\" + reg.node(child).name;
        if (keyExists(childPath))
            collectNewKeys(reg, child, childPath, keys);
        else
            keys.push_back(childPath);
    }
}

// reg import reads an export without a byte order mark in the ANSI code page. As UTF-16LE with its
// byte order mark, the form regedit itself writes, every character arrives.
std::string asUtf16Export(const std::string& text)
{
    if (text.compare(0, 2, "\xFF\xFE") == 0)
        return text;
    const std::string body = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
    const std::wstring wide = platform::win32::toWide(body);
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

std::string windowsPath(std::string path)
{
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string regProgram()
{
    wchar_t directory[MAX_PATH + 1];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("GetSystemDirectoryW failed");
    return platform::win32::toUtf8(directory, static_cast<int>(length)) + "\\reg.exe";
}

} // namespace

void FakeInstallation::attach()
{
    requireDisposableWindows();
    clearDrives();
    deleteKey(kInstallationKey);
}

void FakeInstallation::detach()
{
    for (const std::string& key : importedKeys_)
        deleteKey(key);
    deleteKey(kInstallationKey);
    try {
        clearDrives();
    } catch (const std::exception&) {
        // The next installation clears the drives again, and says what stays in the way.
    }
}

std::string FakeInstallation::host(const std::string& windowsPath) const
{
    std::string path = windowsPath;
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

FileTree FakeInstallation::files() const
{
    FileTree tree;
    for (char drive : kDrives) {
        const fs::path root = driveRoot(drive);
        const std::string prefix = std::string("drives/") + drive + "/";
        for (const fs::path& entry : installationEntries(drive)) {
            if (fs::is_regular_file(entry))
                tree[prefix + entry.filename().u8string()] = testsupport::readBytes(entry.u8string());
            if (!fs::is_directory(entry))
                continue;
            for (const auto& file : fs::recursive_directory_iterator(entry)) {
                if (file.is_regular_file())
                    tree[prefix + fs::relative(file.path(), root).generic_u8string()] =
                        testsupport::readBytes(file.path().u8string());
            }
        }
    }
    return tree;
}

void FakeInstallation::writeRegistry(const std::string& regText) const
{
    testsupport::writeBytes(registryPath(), regText);
    for (const std::string& key : importedKeys_)
        deleteKey(key);
    importedKeys_.clear();

    platform::RegExport reg;
    std::string error;
    if (!reg.parse(regText, registryPath(), error))
        throw std::runtime_error("a registry cannot hold what this file says: " + error);
    std::size_t localMachine = 0;
    if (reg.find("HKEY_LOCAL_MACHINE", localMachine))
        collectNewKeys(reg, localMachine, "", importedKeys_);

    const std::string utf16 = dir_.file("registry-utf16.reg");
    testsupport::writeBytes(utf16, asUtf16Export(regText));
    testsupport::ProcessOptions options;
    options.inheritEnvironment = true;
    // Into the 32-bit view, as the 32-bit installers write it (a 32-bit Windows has only that one).
    const testsupport::ProcessResult imported =
        testsupport::runProcess({regProgram(), "import", windowsPath(utf16), "/reg:32"}, options);
    if (imported.status != 0)
        throw std::runtime_error("reg import could not import " + registryPath() + ": " + imported.out + imported.err);
    for (const std::string& key : importedKeys_) {
        if (!keyExists(key))
            throw std::runtime_error("reg import did not import HKEY_LOCAL_MACHINE\\" + key + " from " + registryPath());
    }
}

bool FakeInstallation::registryCanBeBroken()
{
    return false;
}

void FakeInstallation::installWrenv(int exitCode) const
{
    // The stand-in is a Win32 program of the tests, started through the real process start; it
    // takes its exit status from wrenv.status beside it.
    const std::string program = std::string(kWindDir) + "\\wrenv";
    if (!exists(program + ".exe"))
        testsupport::placeProgram(testsupport::builtProgram("tests/configurator/core/wrenv_standin"), host(program));
    write(std::string(kWindDir) + "\\wrenv.status", std::to_string(exitCode));
}

} // namespace conftest
