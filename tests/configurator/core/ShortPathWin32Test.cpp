// Short (8.3) path names from the system: directories with long names are named by their short
// form in everything the configurator writes, and the short form names the same directory.
#include "Discovery.h"
#include "FakeInstallation.h"
#include "WizardSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

using conftest::FakeInstallation;

// True when every name after the drive fits 8.3: at most eight characters, a dot and three more,
// no blank.
bool isEightDotThree(const std::string& path)
{
    std::istringstream parts(path.substr(path.find('\\') + 1));
    std::string name;
    while (std::getline(parts, name, '\\')) {
        const std::size_t dot = name.find('.');
        const std::string base = name.substr(0, dot);
        const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
        if (name.empty() || name.find(' ') != std::string::npos || base.size() > 8 || extension.size() > 3
            || extension.find('.') != std::string::npos)
            return false;
    }
    return true;
}

TEST(ShortPathWin32, longDirectoryNamesBecomeTheirShortFormNamingTheSameDirectory)
{
    FakeInstallation inst;
    const std::string velcppLong = "C:\\VEL Analyser\\Version 3.0 for Zembrel";
    inst.write(velcppLong + "\\personalities\\VC++2005.p_c", "-d _MSC_VER=1400\n");
    inst.write("D:\\Zembrel Suite 2008\\Share\\etc\\msmake.bat", "nmake\r\n");
    inst.writeRegistry("Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\VEL C++ Source Code Analyser\\3.0]\r\n"
                       "\"Path\"=\"C:\\\\VEL Analyser\\\\Version 3.0 for Zembrel\"\r\n\r\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\ZembrelIntegration]\r\n"
                       "\"ZembDir\"=\"D:/Zembrel Suite 2008//\"\r\n");

    const std::string velcpp = conf::findVelcppPath("3.0");
    EXPECT_TRUE(isEightDotThree(velcpp)) << velcpp;
    EXPECT_EQ("C:\\", velcpp.substr(0, 3));
    EXPECT_TRUE(std::filesystem::equivalent(inst.host(velcpp), inst.host(velcppLong))) << velcpp;
    // The personalities are found below the short form.
    EXPECT_EQ(std::vector<std::string>{"2005"}, conf::availableVsVersions(velcpp));

    const std::string zembDir = conf::findZembDir();
    EXPECT_TRUE(isEightDotThree(zembDir)) << zembDir;
    EXPECT_TRUE(std::filesystem::equivalent(inst.host(zembDir), inst.host("D:\\Zembrel Suite 2008"))) << zembDir;
}

} // namespace
