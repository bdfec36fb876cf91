// Choosing the run's language and encoding: initialisation files, LANG, caching, the run encoding.
#include "QL_Encoding.h"
#include "QL_Language.h"

#include "P_Profile.h"
#include "ScopedEnv.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using E = QL_Encoding;
using testsupport::ScopedEnv;

// Each test starts without cached language, with an empty default location and no NO_LANG_CACHE.
//
// The default location of initialisation files: POSIX: the directory named by WINDIR, here a
// temporary one. Windows: the Windows directory itself, whatever WINDIR says; a file a test writes
// there is removed again (the suite runs alone under CTest, as no other run may see it).
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override { resetLanguageCache(); }
    void TearDown() override
    {
        resetLanguageCache();
        std::remove((defaultLocation_ + "/VELCPP.ini").c_str());
    }

    void writeIni(const std::string& directory, const std::string& language)
    {
        testsupport::writeBytes(directory + "/VELCPP.ini", "[Japanese]\nNXL_LANG=" + language + "\n");
    }

    testsupport::TempDir bin_;
    testsupport::TempDir windows_;
    ScopedEnv windir_{"WINDIR", windows_.path().c_str()};
    ScopedEnv noCache_{"NO_LANG_CACHE", nullptr};
#ifdef _WIN32
    const std::string defaultLocation_ = platform::profileDirectory();
#else
    const std::string defaultLocation_ = windows_.path();
#endif
};

} // namespace

TEST_F(LanguageTest, langDecidesWithoutInitialisationFile)
{
    ScopedEnv lang("LANG", "ja_JP.SJIS");
    EXPECT_EQ(runLanguage("VELCPP", bin_.path()), "ja_JP.SJIS");
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::SJ);
}

TEST_F(LanguageTest, utf8LocaleIsPlain)
{
    ScopedEnv lang("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::Plain);
}

TEST_F(LanguageTest, unsetLangIsDefault)
{
    ScopedEnv lang("LANG", nullptr);
    EXPECT_EQ(runLanguage("VELCPP", bin_.path()), "default");
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::Plain);
}

TEST_F(LanguageTest, initialisationFileInBinDirectoryOverridesLang)
{
    ScopedEnv lang("LANG", "ja_JP.SJIS");
    writeIni(bin_.path(), "ja_JP.eucJP");
    writeIni(defaultLocation_, "japanese");
    EXPECT_EQ(runLanguage("VELCPP", bin_.path()), "ja_JP.eucJP");
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::EUC);
}

TEST_F(LanguageTest, defaultLocationIsReadWhenBinDirectoryHasNone)
{
    ScopedEnv lang("LANG", "C");
    writeIni(defaultLocation_, "japanese");
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::SJ);
}

#ifdef _WIN32
TEST_F(LanguageTest, windirDoesNotMoveTheDefaultLocationOnWindows)
{
    ScopedEnv lang("LANG", "C");
    writeIni(windows_.path(), "japanese");
    EXPECT_EQ(runLanguage("VELCPP", bin_.path()), "C");
}
#endif

TEST_F(LanguageTest, initialisationFileOfAnotherProductIsIgnored)
{
    ScopedEnv lang("LANG", "C");
    writeIni(bin_.path(), "ja");
    EXPECT_EQ(runLanguage("VELC", bin_.path()), "C");
}

TEST_F(LanguageTest, languageIsCachedUntilReset)
{
    ScopedEnv lang("LANG", "ja");
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::EUC);
    writeIni(bin_.path(), "japanese");
    EXPECT_EQ(runLanguage("VELCPP", bin_.path()), "ja");
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::EUC);
    resetLanguageCache();
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::SJ);
}

TEST_F(LanguageTest, noLangCacheMakesChangesTakeEffectAtOnce)
{
    ScopedEnv noCache("NO_LANG_CACHE", "1");
    ScopedEnv lang("LANG", "ja");
    writeIni(bin_.path(), "japanese");
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::SJ);
    writeIni(bin_.path(), "ja_JP.EUC");
    EXPECT_EQ(languageEncoding("VELCPP", bin_.path()), E::EUC);
    writeIni(bin_.path(), "");
    EXPECT_EQ(runLanguage("VELCPP", bin_.path()), "ja");
}

TEST(LanguageNamesTest, encodingOfEachListedName)
{
    for (const char* name : {"ja", "ja_JP", "ja_JP.EUC", "ja_JP.sdeckanji", "japanese.euc", "ja_JP.eucJP"})
        EXPECT_EQ(encodingOfLanguage(name), E::EUC) << name;
    for (const char* name : {"Ja_JP", "ja_JP.SJIS", "japanese"})
        EXPECT_EQ(encodingOfLanguage(name), E::SJ) << name;
    for (const char* name : {"", "default", "JA", "ja_jp.sjis", "Japanese", "ja_JP.UTF-8", "C"})
        EXPECT_EQ(encodingOfLanguage(name), E::Plain) << name;
}

TEST(RunEncodingTest, fixedValueIsKeptWithoutAlwaysFirst)
{
    int asked = 0;
    int recomputed = 0;
    setRunEncoding(E::SJ, [&] { ++asked; return false; }, [&] { ++recomputed; return E::EUC; });
    EXPECT_EQ(runEncoding(), E::SJ);
    EXPECT_EQ(runEncoding(), E::SJ);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(recomputed, 0);
    setRunEncoding(E::Plain);
}

TEST(RunEncodingTest, alwaysFirstRecomputesOnEveryQuery)
{
    int asked = 0;
    int recomputed = 0;
    setRunEncoding(E::SJ, [&] { ++asked; return true; }, [&] { ++recomputed; return E::EUC; });
    EXPECT_EQ(runEncoding(), E::EUC);
    EXPECT_EQ(runEncoding(), E::EUC);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(recomputed, 2);
    setRunEncoding(E::Plain);
    EXPECT_EQ(runEncoding(), E::Plain);
}
