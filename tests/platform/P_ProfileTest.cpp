// The private-profile lookup: INI matching rules, the default location, the buffer size.
#include "P_IniText.h"
#include "P_Process.h"
#include "P_Profile.h"

#include "ScopedEnv.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>


namespace {

std::string lookup(const std::string& text, const std::string& section, const std::string& key)
{
    std::string value = "<none>";
    if (!platform::findIniValue(text, section, key, value))
        return "<none>";
    return value;
}

} // namespace

TEST(IniTextTest, sectionAndKeyIgnoreCaseAndBlanks)
{
    const std::string text = "[other]\nNXL_LANG=no\n  [ japanese ]  \n  nxl_lang   =   ja_JP.SJIS  \n";
    EXPECT_EQ(lookup(text, "Japanese", "NXL_LANG"), "ja_JP.SJIS");
    EXPECT_EQ(lookup(text, "OTHER", "nxl_lang"), "no");
}

TEST(IniTextTest, missingSectionOrKeyIsNotFound)
{
    const std::string text = "[Japanese]\nNXL_LANGUAGE=ja\nNXL=ja\n";
    EXPECT_EQ(lookup(text, "Japanese", "NXL_LANG"), "<none>");
    EXPECT_EQ(lookup(text, "English", "NXL"), "<none>");
    EXPECT_EQ(lookup("", "Japanese", "NXL_LANG"), "<none>");
}

TEST(IniTextTest, keysOutsideTheSectionDoNotCount)
{
    EXPECT_EQ(lookup("NXL_LANG=ja\n[Japanese]\n", "Japanese", "NXL_LANG"), "<none>");
    EXPECT_EQ(lookup("[Japanese]\n[Next]\nNXL_LANG=ja\n", "Japanese", "NXL_LANG"), "<none>");
}

TEST(IniTextTest, firstSectionAndFirstKeyWin)
{
    EXPECT_EQ(lookup("[J]\nk=1\nk=2\n[J]\nk=3\n", "J", "k"), "1");
    EXPECT_EQ(lookup("[J]\nother=0\n[J]\nk=3\n", "J", "k"), "<none>");
}

TEST(IniTextTest, quotesAroundTheValueAreDropped)
{
    EXPECT_EQ(lookup("[J]\nk=\"ja_JP\"\n", "J", "k"), "ja_JP");
    EXPECT_EQ(lookup("[J]\nk='ja'\n", "J", "k"), "ja");
    EXPECT_EQ(lookup("[J]\nk=\"ja'\n", "J", "k"), "\"ja'");
    EXPECT_EQ(lookup("[J]\nk=\"\n", "J", "k"), "\"");
}

TEST(IniTextTest, commentsWindowsLineEndsAndEmptyValues)
{
    const std::string text = "\xEF\xBB\xBF; comment\r\n[J]\r\n;k=commented\r\nk=\r\nm = a = b\r\n";
    EXPECT_EQ(lookup(text, "J", "k"), "");
    EXPECT_EQ(lookup(text, "J", "m"), "a = b");
    EXPECT_EQ(lookup(text, "J", ";k"), "<none>");
}

TEST(IniTextTest, brokenSectionHeaderIsIgnored)
{
    EXPECT_EQ(lookup("[J\nk=1\n[J]\nk=2\n", "J", "k"), "2");
}

TEST(PrivateProfileTest, readsFileByPathAndFallsBackToDefault)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("VELCPP.ini"), "[Japanese]\nNXL_LANG=ja\n");
    EXPECT_EQ(platform::privateProfileString("Japanese", "NXL_LANG", "", dir.file("VELCPP.ini"), 100), "ja");
    EXPECT_EQ(platform::privateProfileString("Japanese", "OTHER", "dflt", dir.file("VELCPP.ini"), 100), "dflt");
    EXPECT_EQ(platform::privateProfileString("Japanese", "NXL_LANG", "", dir.file("none.ini"), 100), "");
}

TEST(PrivateProfileTest, valueIsCutToTheBuffer)
{
    testsupport::TempDir dir;
    const std::string longValue(150, 'x');
    testsupport::writeBytes(dir.file("a.ini"), "[Japanese]\nNXL_LANG=" + longValue + "\n");
    EXPECT_EQ(platform::privateProfileString("Japanese", "NXL_LANG", "", dir.file("a.ini"), 100),
              std::string(99, 'x'));
    EXPECT_EQ(platform::privateProfileString("Japanese", "NXL_LANG", "", dir.file("a.ini"), 0), "");
}

#ifdef _WIN32
// Windows: the service's own default, the Windows directory; WINDIR does not move it.
TEST(PrivateProfileTest, bareNameIsLookedUpInTheWindowsDirectory)
{
    // A copy: changing the environment below may move the variables' storage.
    const char* systemRootVariable = std::getenv("SystemRoot");
    ASSERT_NE(systemRootVariable, nullptr);
    const std::string systemRoot = systemRootVariable;
    testsupport::TempDir dir;
    const std::string name = "zembtest" + std::to_string(platform::processId()) + ".ini";
    testsupport::writeBytes(dir.file(name), "[Japanese]\nNXL_LANG=elsewhere\n");
    testsupport::ScopedEnv windir("WINDIR", dir.path().c_str());
    EXPECT_EQ(platform::profileDirectory(), systemRoot);
    EXPECT_EQ(platform::privateProfileString("Japanese", "NXL_LANG", "none", name, 100), "none");

    const std::string inWindows = platform::profileDirectory() + "\\" + name;
    testsupport::writeBytes(inWindows, "[Japanese]\nNXL_LANG=japanese\n");
    EXPECT_EQ(platform::privateProfileString("Japanese", "NXL_LANG", "", name, 100), "japanese");
    std::remove(inWindows.c_str());
}
#else
// POSIX: the directory named by WINDIR, else /etc.
TEST(PrivateProfileTest, bareNameIsLookedUpInTheDefaultDirectory)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("VELCPP.ini"), "[Japanese]\nNXL_LANG=japanese\n");
    testsupport::ScopedEnv windir("WINDIR", dir.path().c_str());
    EXPECT_EQ(platform::profileDirectory(), dir.path());
    EXPECT_EQ(platform::privateProfileString("Japanese", "NXL_LANG", "", "VELCPP.ini", 100), "japanese");
}

TEST(PrivateProfileTest, defaultDirectoryWithoutWindir)
{
    testsupport::ScopedEnv windir("WINDIR", nullptr);
    EXPECT_EQ(platform::profileDirectory(), "/etc");
}
#endif
