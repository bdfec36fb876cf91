// A whole analyser, Zembrel and integration installation in a temporary directory, for tests.
#pragma once

#include "ScopedEnv.h"
#include "TestSupport.h"

#include <string>
#include <vector>

namespace conftest {

// Builds, in a fresh temporary directory:
//  - drives/c and drives/d, mapped as drives C: and D: through ZEMBRELCONF_DRIVES;
//  - registry.reg, named by ZEMBRELCONF_REGISTRY, holding the keys below;
//  - the analyser 3.0 at C:\VEL\VELCPP3 with personalities\mvc6.p_c and personalities\VC++2005.p_c;
//  - Zembrel at D:\Tools\Zembrel with Share\etc\msmake.bat and Share\etc\Vx6make.bat;
//  - the integration location C:\ZembInt with ZembrelIntegration\... and every template;
//  - the personality generator at C:\VNH (with bin\), and Wind River's wrenv at C:\WindRiver.
// The environment variables are restored, and the directory removed, on destruction.
class FakeInstallation {
public:
    FakeInstallation();
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

    const std::string& root() const { return dir_.path(); }
    // The host path of a Windows path (drive letters as above, backslashes).
    std::string host(const std::string& windowsPath) const;
    // Writes bytes at a Windows path, creating directories.
    void write(const std::string& windowsPath, const std::string& bytes) const;
    // Reads the bytes at a Windows path ("" when missing).
    std::string read(const std::string& windowsPath) const;
    bool exists(const std::string& windowsPath) const;
    void remove(const std::string& windowsPath) const;

    // The registry file's host path, and replacing its content.
    std::string registryPath() const { return dir_.file("registry.reg"); }
    void writeRegistry(const std::string& regText) const;
    // The default registry: analyser versions `versions` (each with Path kVelcppDir),
    // ZembDir, ZembIntLocationDir and VNHDIR.
    static std::string registryText(const std::vector<std::string>& versions = {"3.0"});

    // Installs C:\WindRiver\wrenv(.sh): records its arguments, one a line, in C:\WindRiver\wrenv.args
    // and exits with `exitCode`.
    void installWrenv(int exitCode) const;
    // The arguments the last wrenv run received.
    std::vector<std::string> wrenvArguments() const;

private:
    testsupport::TempDir dir_;
    testsupport::ScopedEnv env_; // ZEMBRELCONF_DRIVES and ZEMBRELCONF_REGISTRY
};

} // namespace conftest
