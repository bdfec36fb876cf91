// A whole analyser, Zembrel and integration installation on drives C: and D:, for tests.
#pragma once

#include "RouteFiles.h"
#include "ScopedEnv.h"
#include "TestSupport.h"

#include <string>
#include <vector>

namespace conftest {

// Builds an installation with
//  - the registry keys below (HKEY_LOCAL_MACHINE\Software\NX:VEL\...);
//  - the analyser 3.0 at C:\VEL\VELCPP3 with personalities\mvc6.p_c and personalities\VC++2005.p_c;
//  - Zembrel at D:\Tools\Zembrel with Share\etc\msmake.bat and Share\etc\Vx6make.bat;
//  - the integration location C:\ZembInt with ZembrelIntegration\... and every template;
//  - the personality generator at C:\VNH (with bin\), and Wind River's wrenv at C:\WindRiver.
//
// Where it lives depends on the platform layer it is read through:
//  - POSIX: in a fresh temporary directory, whose drives/c and drives/d are drives C: and D:
//    through ZEMBRELCONF_DRIVES and whose registry.reg is the registry through
//    ZEMBRELCONF_REGISTRY; the variables are restored and the directory removed on destruction.
//  - Windows: on the real drives C: and D: and in the real registry (its 32-bit view, where the
//    32-bit installers write), imported with reg import, of a
//    Windows given over to the tests (a Wine prefix of their own, in which drive D: is a directory
//    of its own, marked by ZEMB_DISPOSABLE_WINDOWS=1 in the environment). Everything on D:,
//    everything on C: but the system's own folders, HKEY_LOCAL_MACHINE\Software\NX:VEL and the
//    keys the installation's registry files create belong to it, and are removed when it is built
//    and when it goes. So one installation exists at a time, in one process at a time.
class FakeInstallation {
public:
    FakeInstallation();
    // A copy of the installation in `directory`: its drives/<letter> trees and its zembrel.reg.
    explicit FakeInstallation(const std::string& directory);
    ~FakeInstallation();
    FakeInstallation(const FakeInstallation&) = delete;
    FakeInstallation& operator=(const FakeInstallation&) = delete;

    // Windows paths of the installation.
    static constexpr const char* kVelcppDir = "C:\\VEL\\VELCPP3";
    static constexpr const char* kZembDir = "D:\\Tools\\Zembrel";
    static constexpr const char* kLocationDir = "C:\\ZembInt";
    static constexpr const char* kIntegrationDir = "C:\\ZembInt\\ZembrelIntegration";
    static constexpr const char* kVnhDir = "C:\\VNH";
    static constexpr const char* kWindDir = "C:\\WindRiver";

    // The path at which this process finds a Windows path of the installation (drive letters as
    // above, "\\" or "/").
    std::string host(const std::string& windowsPath) const;
    // Writes bytes at a Windows path, creating directories.
    void write(const std::string& windowsPath, const std::string& bytes) const;
    // Reads the bytes at a Windows path ("" when missing).
    std::string read(const std::string& windowsPath) const;
    bool exists(const std::string& windowsPath) const;
    void remove(const std::string& windowsPath) const;

    // Every file of the installation, keyed "drives/<letter>/<path>" ("drives/c/VNH/bin/x.txt").
    FileTree files() const;

    // The registry file's host path, and replacing the registry with the file's keys.
    std::string registryPath() const { return dir_.file("registry.reg"); }
    void writeRegistry(const std::string& regText) const;
    // The default registry: analyser versions `versions` (each with Path kVelcppDir),
    // ZembDir, ZembIntLocationDir and VNHDIR.
    static std::string registryText(const std::vector<std::string>& versions = {"3.0"});
    // True where the registry is read from an export file, which can be malformed; a real registry
    // cannot be.
    static bool registryCanBeBroken();

    // Installs a stand-in for C:\WindRiver\wrenv: it records its arguments, one a line, in
    // C:\WindRiver\wrenv.args and exits with `exitCode`.
    void installWrenv(int exitCode) const;
    // The arguments the last wrenv run received.
    std::vector<std::string> wrenvArguments() const;

private:
    // Takes the drives and the registry over for the installation; and gives them back.
    void attach();
    void detach();
    // Writes the installation's own files and registry.
    void populate();

    testsupport::TempDir dir_;
    testsupport::ScopedEnv env_;            // POSIX: ZEMBRELCONF_DRIVES and ZEMBRELCONF_REGISTRY
    mutable std::vector<std::string> importedKeys_; // Windows: the keys the last registry import created
};

} // namespace conftest
