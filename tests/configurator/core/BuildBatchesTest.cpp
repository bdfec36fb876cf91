// Build batch files, the custom message personality and the post-analysis batch file.
#include "BuildBatches.h"
#include "ExpectedFiles.h"
#include "FakeInstallation.h"
#include "GenerationContext.h"
#include "MessageCapture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using conftest::FakeInstallation;
using conftest::MessageCapture;
using conftest::ProcessEnded;

const char* const kMsOut = "D:\\Tools\\Zembrel\\Share\\etc\\msvelcppmake.bat";
const char* const kVxOut = "D:\\Tools\\Zembrel\\Share\\etc\\vx6velcppmake.bat";
const char* const kCustom = "C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom.p_s";
const char* const kCustomSa = "C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom_sa.bat";

class BuildBatchesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        conf::GenerationContext::instance() = {};
        conf::GenerationContext::instance().setBatch("C:/VEL/VELCPP3", "C:\\VEL\\VELCPP3\\personalities\\VC++2005.p_c");
    }
    void TearDown() override { conf::GenerationContext::instance() = {}; }

    // Runs `action` and answers the code it ended the process with (-1 when it did not).
    template <typename Action>
    int endCode(Action action)
    {
        try {
            action();
        } catch (const ProcessEnded& ended) {
            return ended.code;
        }
        return -1;
    }

    FakeInstallation inst;
};

TEST_F(BuildBatchesTest, msBuildBatchWrapsZembrelsLinesWithTheAnalysis)
{
    conf::writeMsBuildBatch(false);
    EXPECT_SAME_AS_EXPECTED(inst.read(kMsOut), "msvelcppmake.bat");
}

TEST_F(BuildBatchesTest, msBuildBatchForCustomPersonalityDiffersOnlyInTheSuppressionPersonality)
{
    conf::writeMsBuildBatch(false);
    std::string standard = inst.read(kMsOut);
    conf::writeMsBuildBatch(true);
    const std::string custom = inst.read(kMsOut);
    const std::string from = "suppresszembrel\\suppresszembrel.p_s";
    standard.replace(standard.find(from), from.size(), "suppresszembrel\\custom.p_s");
    EXPECT_EQ(standard, custom);
}

TEST_F(BuildBatchesTest, msBuildBatchLineRulesAndMissingLastLineEnd)
{
    inst.write("D:\\Tools\\Zembrel\\Share\\etc\\msmake.bat",
               "set Target=%2 & if %2==CLEAN x\r\nsettarget clean\r\ncall vsvars32.bat\r\ncall X\\VcVars32.Bat");
    conf::writeMsBuildBatch(false);
    const std::string out = inst.read(kMsOut);
    EXPECT_NE(std::string::npos, out.find("\r\nset Target=%2 & if %2==CLEAN x & del master.wqp 2>NUL\r\n"));
    EXPECT_NE(std::string::npos, out.find("\r\nsettarget clean\r\n")); // "set" needs one character before "target"
    EXPECT_NE(std::string::npos, out.find("\r\ncall vsvars32.bat\r\ncall X\\VcVars32.Bat\r\n"
                                          "rem Ensure that the cl that calls VELC++ is used rather than microsoft cl.\r\n"
                                          "set PATH=C:\\ZembInt\\ZembrelIntegration\\wrapper;%PATH%\r\n"
                                          "if \"%2\"==\"clean\" goto :EOF\r\n"));
}

TEST_F(BuildBatchesTest, msBuildBatchFallsBackToMsvc9makeAndEndsWhenNeitherExists)
{
    inst.remove("D:\\Tools\\Zembrel\\Share\\etc\\msmake.bat");
    inst.write("D:\\Tools\\Zembrel\\Share\\etc\\msvc9make.bat", "nmake all\r\n");
    conf::writeMsBuildBatch(false);
    EXPECT_NE(std::string::npos, inst.read(kMsOut).find(">NUL\r\nnmake all\r\nif "));

    inst.remove("D:\\Tools\\Zembrel\\Share\\etc\\msvc9make.bat");
    MessageCapture capture;
    EXPECT_EQ(10, endCode([] { conf::writeMsBuildBatch(false); }));
    EXPECT_EQ("Essential Zembrel file D:\\Tools\\Zembrel\\Share\\etc\\msvc9make.bat not found\nAborting.",
              capture.last());
}

TEST_F(BuildBatchesTest, readOnlyBuildBatchEndsWithFailedToOverwrite)
{
    inst.write(kMsOut, "old");
    fs::permissions(inst.host(kMsOut), fs::perms::owner_read);
    MessageCapture capture;
    EXPECT_EQ(10, endCode([] { conf::writeMsBuildBatch(false); }));
    EXPECT_EQ(std::string("Failed to overwrite file ") + kMsOut + "\nAborting.", capture.last());
}

TEST_F(BuildBatchesTest, vxBuildBatchTakesWindRiverDirectoryAndRelabelsEof)
{
    EXPECT_EQ("C:\\WindRiver", conf::writeVxBuildBatch("C:\\VEL\\VELCPP3", "C:/My/gcc.p_c"));
    EXPECT_SAME_AS_EXPECTED(inst.read(kVxOut), "vx6velcppmake.bat");
}

TEST_F(BuildBatchesTest, vxBuildBatchWithoutPathLineHasEmptyWindRiverDirectory)
{
    inst.write("D:\\Tools\\Zembrel\\Share\\etc\\Vx6make.bat",
               "set PATH=C:\\A;C:\\B\r\nSET path = x;%path%\r\n  WRENV -p x MAKE all\r\nSET X=1 TARGET clean");
    EXPECT_EQ("", conf::writeVxBuildBatch("C:\\VEL\\VELCPP3", "C:\\p.p_c"));
    const std::string out = inst.read(kVxOut);
    EXPECT_NE(std::string::npos,
              out.find(">NUL\r\nset PATH=C:\\A;C:\\B\r\nSET path = x;%path%\r\n  WRENV -p x MAKE all CXX=\"%wrapper%/"
                       "wrapper.exe -wcf %wrapper%/wrapper_%tool%.cfg true\"\r\nSET X=1 TARGET clean & del master.wqp "
                       "2>NUL\r\nC:\\ZembInt\\"));
    EXPECT_EQ(out.size() - 8, out.rfind("\r\n:EOF\r\n"));
}

TEST_F(BuildBatchesTest, laterPathLineOverridesAndTrailingBackslashesGo)
{
    inst.write("D:\\Tools\\Zembrel\\Share\\etc\\Vx6make.bat",
               "set PATH=C:\\First;%PATH%\nset PATH=E:\\Wind River\\\\;C:\\x;%PATH% \n");
    EXPECT_EQ("E:\\Wind River", conf::writeVxBuildBatch("C:\\VEL\\VELCPP3", "C:\\p.p_c"));
}

TEST_F(BuildBatchesTest, missingVx6makeEndsWithEssentialFileMessage)
{
    inst.remove("D:\\Tools\\Zembrel\\Share\\etc\\Vx6make.bat");
    MessageCapture capture;
    EXPECT_EQ(10, endCode([] { conf::writeVxBuildBatch("C:\\VEL\\VELCPP3", "C:\\p.p_c"); }));
    EXPECT_EQ("Essential Zembrel file D:\\Tools\\Zembrel\\Share\\etc\\Vx6make.bat not found\nAborting.", capture.last());
}

TEST_F(BuildBatchesTest, customPersonalityWithoutRecognisedLinesKeepsTheWholeFile)
{
    const std::string original = "-rem \"Other=1\"\r\n-w 1\n  -rem \"ShellExe=x\"\r\nlast";
    inst.write("C:\\my\\msg.p_s", original);
    conf::writeCustomMessagePersonality("C:\\my\\msg.p_s");
    EXPECT_EQ("-rem \"EnablePostAnalysis=1\"\r\n"
              "-rem \"ShellExe=C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom_sa.bat\"\r\n"
              "-rem \"ShellParams=%Q %F %P+ %N+ %S\"\r\n"
                  + original,
              inst.read(kCustom));
    EXPECT_EQ("@echo off\r\n\"C:\\ZembInt\\suppresszembrel\\suppresszembrel.exe\" %1 %2 \"%~3\" \"%~4\" -forget cmaf\r\n",
              inst.read(kCustomSa));
}

TEST_F(BuildBatchesTest, customPersonalityWithPreviousCommandRunsItAfterSuppresszembrel)
{
    inst.write("C:\\my\\msg.p_s", "-w 1\r\n"
                                  "-REM \"enablepostanalysis=0\"\r\n"
                                  "-rem \"ShellExe=C:\\old.exe\"\r\n"
                                  "-rem \"ShellParams=ignored\"\r\n"
                                  "-rem \"EnablePostAnalysis=1\"  \r\n"
                                  "-rem \"ShellExe=C:\\Tools\\post.exe\"\r\n"
                                  "-rem \"ShellParams=-x %Q %F %P+ %N %S\"\r\n"
                                  "-w 2\r\n");
    conf::writeCustomMessagePersonality("C:\\my\\msg.p_s");
    EXPECT_SAME_AS_EXPECTED(inst.read(kCustom), "custom.p_s");
    EXPECT_SAME_AS_EXPECTED(inst.read(kCustomSa), "custom_sa.bat");
}

TEST_F(BuildBatchesTest, postAnalysisLineEndingInZeroMeansNoPreviousCommand)
{
    inst.write("C:\\my\\msg.p_s", "-rem \"EnablePostAnalysis=0\"\n-rem \"ShellExe=C:\\post.exe\"\n"
                                  "-rem \"ShellParams=%Q\"\n-w 2\n");
    conf::writeCustomMessagePersonality("C:\\my\\msg.p_s");
    EXPECT_EQ("-rem \"EnablePostAnalysis=1\"\r\n"
              "-rem \"ShellExe=C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom_sa.bat\"\r\n"
              "-rem \"ShellParams=%Q %F %P+ %N+ %S\"\r\n-w 2\n",
              inst.read(kCustom));
    EXPECT_EQ("@echo off\r\n\"C:\\ZembInt\\suppresszembrel\\suppresszembrel.exe\" %1 %2 \"%~3\" \"%~4\" -forget cmaf\r\n",
              inst.read(kCustomSa));
}

TEST_F(BuildBatchesTest, customPersonalityFailuresEndWithTheirMessages)
{
    MessageCapture capture;
    EXPECT_EQ(10, endCode([] { conf::writeCustomMessagePersonality("C:\\my\\none.p_s"); }));
    EXPECT_EQ("Failed to open Message Personality C:\\my\\none.p_s\nAborting.", capture.last());

    inst.write("C:\\my\\msg.p_s", "-w 1\n");
    inst.write(kCustom, "old");
    fs::permissions(inst.host(kCustom), fs::perms::owner_read);
    EXPECT_EQ(10, endCode([] { conf::writeCustomMessagePersonality("C:\\my\\msg.p_s"); }));
    EXPECT_EQ(std::string("failed to open file ") + kCustom + "\nAborting.", capture.last());
}

TEST(PostAnalysisCommand, translatesPercentCodesAndMovesLiteralTextBehind)
{
    EXPECT_EQ("\"C:\\p.exe\"  %1 %2 \"%~3\" \"%~4\"  %5 \"%6\"  \"%8\"  \"%8\"  -x     \n",
              conf::translatePostAnalysisCommand("C:\\p.exe", "-x %Q %F %P+ %N %S"));
    EXPECT_EQ("\"e\"  %7 \"%8\"  \"%6\"  ab\n", conf::translatePostAnalysisCommand("e", "a%N+%%%Pb%"));
    EXPECT_EQ("\"e\"  \n", conf::translatePostAnalysisCommand("e", ""));
}

} // namespace
