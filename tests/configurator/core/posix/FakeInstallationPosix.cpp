// The fake installation for the portable platform layer: drive directories and a registry export
// file in a temporary directory, named through ZEMBRELCONF_DRIVES and ZEMBRELCONF_REGISTRY.
#include "FakeInstallation.h"

#include <cctype>
#include <filesystem>

namespace conftest {

namespace fs = std::filesystem;

void FakeInstallation::attach()
{
    fs::create_directories(dir_.file("drives/c"));
    fs::create_directories(dir_.file("drives/d"));
    env_.set("ZEMBRELCONF_DRIVES", dir_.file("drives"));
    env_.set("ZEMBRELCONF_REGISTRY", registryPath());
}

void FakeInstallation::detach()
{
    // Read-only files left by a test must not keep the directory from being removed.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir_.path(), ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
}

std::string FakeInstallation::host(const std::string& windowsPath) const
{
    std::string path = windowsPath;
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    if (path.size() >= 2 && path[1] == ':') {
        const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        return dir_.file(std::string("drives/") + drive + path.substr(2));
    }
    return path;
}

FileTree FakeInstallation::files() const
{
    FileTree tree;
    for (const auto& [path, bytes] : snapshotFiles(dir_.file("drives")))
        tree["drives/" + path] = bytes;
    return tree;
}

void FakeInstallation::writeRegistry(const std::string& regText) const
{
    testsupport::writeBytes(registryPath(), regText);
}

bool FakeInstallation::registryCanBeBroken()
{
    return true;
}

void FakeInstallation::installWrenv(int exitCode) const
{
    // A shell script: the portable layer runs <program>.sh where there is no <program>.
    const std::string script = host(std::string(kWindDir) + "\\wrenv.sh");
    write(std::string(kWindDir) + "\\wrenv.sh",
          "#!/bin/sh\n"
          "out=\"$(dirname \"$0\")/wrenv.args\"\n"
          ": > \"$out\"\n"
          "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out\"; done\n"
          "exit "
              + std::to_string(exitCode) + "\n");
    fs::permissions(script, fs::perms::owner_all, fs::perm_options::add);
}

} // namespace conftest
