// Windows paths: names whatever their case, read-only files, short paths, starting programs.
#include "FakeInstallation.h"
#include "ProcessRunner.h"
#include "ShortPath.h"
#include "WindowsPathMap.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using conftest::FakeInstallation;

TEST(WindowsPathMap, namesAreMatchedWhateverTheirCase)
{
    FakeInstallation inst;
    EXPECT_TRUE(platform::windowsPathExists("c:\\vel\\velcpp3\\PERSONALITIES\\vc++2005.P_C"));
    EXPECT_TRUE(platform::isWindowsFile("d:\\TOOLS\\zembrel\\share\\ETC\\MsMake.bat"));
    std::string bytes;
    EXPECT_TRUE(platform::readWindowsFile("D:/tools/ZEMBREL/Share/etc/msmake.BAT", bytes));
    EXPECT_EQ(inst.read("D:\\Tools\\Zembrel\\Share\\etc\\msmake.bat"), bytes);
    EXPECT_FALSE(platform::windowsPathExists("C:\\VEL\\VELCPP3\\personalities\\VC++2008.p_c"));
    EXPECT_FALSE(platform::windowsPathExists(""));
    EXPECT_FALSE(platform::isWindowsFile("C:\\VEL"));
}

TEST(WindowsPathMap, readOnlyFileCannotBeDeletedOrOverwritten)
{
    FakeInstallation inst;
    inst.write("C:\\ro.txt", "keep");
    fs::permissions(inst.host("C:\\ro.txt"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(platform::removeWindowsFile("C:\\ro.txt"));
    EXPECT_FALSE(platform::writeWindowsFile("C:\\ro.txt", "new"));
    EXPECT_EQ("keep", inst.read("C:\\ro.txt"));

    inst.write("C:\\rw.txt", "x");
    EXPECT_TRUE(platform::removeWindowsFile("c:\\RW.TXT"));
    EXPECT_FALSE(inst.exists("C:\\rw.txt"));
    EXPECT_FALSE(platform::removeWindowsFile("C:\\ZembInt")); // a directory is no file
}

TEST(ShortPath, existingPathIsItsOwnShortFormWithBackslashes)
{
    FakeInstallation inst;
    std::string shortPath;
    ASSERT_TRUE(platform::shortPathName("D:/Tools/Zembrel", shortPath));
    EXPECT_EQ("D:\\Tools\\Zembrel", shortPath);
    EXPECT_FALSE(platform::shortPathName("D:\\Tools\\Missing", shortPath));
    EXPECT_FALSE(platform::shortPathName("", shortPath));
}

TEST(ProcessRunner, answersTheProgramsExitCodeAndPassesArgumentsUnchanged)
{
    FakeInstallation inst;
    inst.installWrenv(0);
    EXPECT_EQ(0, platform::runProgramAndWait("C:\\WindRiver\\wrenv", {"-p", "a b", "C:\\x\\y", ""}));
    EXPECT_EQ((std::vector<std::string>{"-p", "a b", "C:\\x\\y", ""}), inst.wrenvArguments());
    inst.installWrenv(1);
    EXPECT_EQ(1, platform::runProgramAndWait("c:\\windriver\\WRENV", {}));
    EXPECT_EQ(-1, platform::runProgramAndWait("C:\\WindRiver\\missing", {}));
}

} // namespace
