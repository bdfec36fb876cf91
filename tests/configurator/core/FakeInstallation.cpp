// The fake installation's contents: registry keys, Zembrel's files and the integration's templates;
// where they live is up to posix/ and win32/.
#include "FakeInstallation.h"

#include <filesystem>
#include <sstream>

namespace conftest {

namespace fs = std::filesystem;

namespace {

const char* const kSuppressTemplate =
    "-rem \"EnablePostAnalysis=1\"\n"
    "-rem \"ShellExe={ZembIntegrationDir}\\suppresszembrel\\run.bat\"\n"
    "-po suppresszembrel::suppressions_txt={ZembIntegrationDir}\\suppresszembrel\\suppressions.txt\n";

// Written with CR LF line ends, as the integration installs them on Windows.
const char* const kWrapperTemplate =
    "-wrapper_dir={ZembIntegrationDirFwd}/wrapper\r\n"
    "-p_c \"{chosen_p_c_path}\"\r\n"
    "-via \"{p_a_path}\"\r\n"
    "-keep {unknown} {ZembDirFwd}\r\n";

const char* const kMsvcTemplate =
    "-sys_include_dir {ZembDirFwd}/include\n"
    "-via {ZembIntegrationDir}/msvc/extra.p_a\n";

const char* const kClBatTemplate =
    "@echo off\n"
    "set PATH={VelcppDir}\\bin;%PATH%\n"
    "\"{ZembIntegrationDir}\\wrapper\\wrapper.exe\" cl %*\n";

const char* const kVxTemplate =
    "-sys_include_dir {ZembDirFwd}/include\n"
    "-sys_include_dir {WindDir}/vxworks-6.x/target/h\n"
    "-via {ZembIntegrationDir}/vxworks/extra.p_a\n";

const char* const kSettingsTemplate =
    "PRODUCT={Product}\n"
    "DEST={Personality Destination Directory}\n"
    "NAME={Personality Name}\n"
    "FAMILY={Compiler Family Set}\n";

// Zembrel's Visual Studio build batch file; its last line has no line end.
const char* const kMsMake =
    "@echo off\r\n"
    "set TARGET=%1\r\n"
    "call \"%VS90COMNTOOLS%\\vsvars32.bat\"\r\n"
    "call \"C:\\Program Files\\Microsoft Visual Studio 9.0\\VC\\bin\\VCVARS32.BAT\"\r\n"
    "SET TARGET=%2 & IF %2==clean SET X=1\r\n"
    "nmake -f makefile %TARGET%";

const char* const kVx6Make =
    "@echo off\r\n"
    "set PATH=C:\\WindRiver\\;%PATH%\r\n"
    "set TARGET=%2 & if %2==clean goto :EOF\r\n"
    "wrenv -p vxworks-6.6 make -f Makefile %TARGET%\r\n"
    "if errorlevel 1 goto :EOF\r\n"
    "echo done\r\n"
    ":EOF\r\n";

} // namespace

FakeInstallation::FakeInstallation()
{
    attach();
    writeRegistry(registryText());
    populate();
}

FakeInstallation::FakeInstallation(const std::string& directory)
{
    attach();
    writeRegistry(testsupport::readBytes(directory + "/zembrel.reg"));
    for (const auto& drive : fs::directory_iterator(directory + "/drives")) {
        const std::string letter = drive.path().filename().string();
        fs::copy(drive.path(), host(letter + ":\\"), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
}

FakeInstallation::~FakeInstallation()
{
    detach();
}

void FakeInstallation::populate()
{
    const std::string integration = kIntegrationDir;
    write(std::string(kVelcppDir) + "\\personalities\\mvc6.p_c", "-d _MSC_VER=1200\n");
    write(std::string(kVelcppDir) + "\\personalities\\VC++2005.p_c", "-d _MSC_VER=1400\n");
    write(std::string(kZembDir) + "\\Share\\etc\\msmake.bat", kMsMake);
    write(std::string(kZembDir) + "\\Share\\etc\\Vx6make.bat", kVx6Make);
    write(integration + "\\suppresszembrel\\suppresszembrel.p_s-template", kSuppressTemplate);
    write(integration + "\\wrapper\\wrapper.cfg-template", kWrapperTemplate);
    write(integration + "\\msvc\\zembrel-msvc.p_a-template", kMsvcTemplate);
    write(integration + "\\msvc\\cl.bat-template", kClBatTemplate);
    write(integration + "\\vxworks\\zembrel-vxworks.p_a-template", kVxTemplate);
    write(integration + "\\vnh\\settings.txt-template", kSettingsTemplate);
    fs::create_directories(host(std::string(kVnhDir) + "\\bin"));
    installWrenv(0);
}

void FakeInstallation::write(const std::string& windowsPath, const std::string& bytes) const
{
    testsupport::writeBytes(host(windowsPath), bytes);
}

std::string FakeInstallation::read(const std::string& windowsPath) const
{
    const std::string path = host(windowsPath);
    return testsupport::fileExists(path) ? testsupport::readBytes(path) : std::string();
}

bool FakeInstallation::exists(const std::string& windowsPath) const
{
    std::error_code ec;
    return fs::exists(host(windowsPath), ec);
}

void FakeInstallation::remove(const std::string& windowsPath) const
{
    std::error_code ec;
    fs::remove_all(host(windowsPath), ec);
}

std::string FakeInstallation::registryText(const std::vector<std::string>& versions)
{
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\VEL C++ Source Code Analyser]\r\n\r\n";
    for (const std::string& v : versions) {
        text += "[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\VEL C++ Source Code Analyser\\" + v + "]\r\n";
        text += "\"Path\"=\"C:\\\\VEL\\\\VELCPP3\"\r\n\r\n";
    }
    text += "[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\ZembrelIntegration]\r\n"
            "\"ZembDir\"=\"D:\\\\Tools\\\\Zembrel\"\r\n"
            "\"ZembIntLocationDir\"=\"C:\\\\ZembInt\"\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\Varnholt]\r\n"
            "\"VNHDIR\"=\"C:\\\\VNH\"\r\n";
    return text;
}

std::vector<std::string> FakeInstallation::wrenvArguments() const
{
    std::vector<std::string> args;
    std::istringstream in(read(std::string(kWindDir) + "\\wrenv.args"));
    std::string line;
    while (std::getline(in, line))
        args.push_back(line);
    return args;
}

} // namespace conftest
