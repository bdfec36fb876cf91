// Batch files with non-ASCII paths, run by cmd.exe: it reads them in the OEM code page, so a path
// written there in UTF-8 names a file that does not exist.
#include "BuildBatches.h"
#include "FakeInstallation.h"
#include "MessageCapture.h"
#include "TextFiles.h"

#include "CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using conftest::FakeInstallation;

const char* const kCustomSa = "C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom_sa.bat";
const char* const kReached = "C:\\ZembInt\\reached.txt";

// Directory names with non-ASCII characters: Western European ones (code pages 437 and 850, the
// OEM code pages of Western locales) and Japanese ones (code page 932).
const std::initializer_list<const char*> kNames = {"Pr\u00fcfung \u00e9t\u00e9", "\u65e5\u672c\u8a9e \u30c6\u30b9\u30c8"};

// The first of the names that the batch file code page holds (`holds`), or cannot hold; "" if none.
std::string directoryName(bool holds)
{
    for (const char* name : kNames) {
        std::string bytes;
        if (platform::utf8ToCodePage(name, platform::batchFileCodePage(), bytes) == holds)
            return name;
    }
    return {};
}

// A previous post-analysis command in `directory`: a batch file that notes its first argument.
std::string installPreviousCommand(const FakeInstallation& inst, const std::string& directory)
{
    const std::string command = directory + "\\previous.bat";
    inst.write(command, std::string("@echo %1> ") + kReached + "\r\n");
    inst.remove(kReached);
    return command;
}

// Runs custom_sa.bat as the analyser does, with cmd.exe /c, and answers what the previous command noted.
std::string runPostAnalysisBatch(const FakeInstallation& inst)
{
    const char* comspec = std::getenv("ComSpec");
    testsupport::ProcessOptions options;
    options.inheritEnvironment = true;
    testsupport::runProcess({comspec ? comspec : "C:\\windows\\system32\\cmd.exe", "/c", kCustomSa, "VELCPP"}, options);
    return inst.read(kReached);
}

// A previous command in a directory whose name the OEM code page holds is written in that code
// page; one whose name it cannot hold is named by its short form. Either way cmd.exe reaches it.
TEST(BatchCodePageWin32, batchFileReachesACommandWhateverItsDirectoryName)
{
    const unsigned codePage = platform::batchFileCodePage();
    for (const bool held : {true, false}) {
        const std::string name = directoryName(held);
        if (name.empty() && held)
            continue; // the OEM code page holds none of the test's names
        ASSERT_FALSE(name.empty()) << "code page " << codePage << " holds every name of the test";
        SCOPED_TRACE((held ? "held by code page " : "not held by code page ") + std::to_string(codePage));
        FakeInstallation inst;
        conftest::MessageCapture capture;
        const std::string command = installPreviousCommand(inst, "C:\\" + name);

        conf::writePostAnalysisBatch(kCustomSa, true, command, "%Q");
        EXPECT_TRUE(capture.messages().empty()) << capture.last();
        if (held) {
            std::string pathBytes;
            ASSERT_TRUE(platform::utf8ToCodePage(command, codePage, pathBytes));
            EXPECT_NE(std::string::npos, inst.read(kCustomSa).find("\r\n\"" + pathBytes + "\" "));
        } else {
            EXPECT_EQ(std::string::npos, inst.read(kCustomSa).find('?'));
        }
        EXPECT_EQ("VELCPP\r\n", runPostAnalysisBatch(inst));
    }
}

TEST(BatchCodePageWin32, pathWithoutShortFormIsReportedAndWrittenWithQuestionMarks)
{
    const std::string name = directoryName(false);
    ASSERT_FALSE(name.empty());
    FakeInstallation inst;
    conftest::MessageCapture capture;
    std::vector<conf::WrittenFile> written;
    const conf::WrittenFileObserver previous =
        conf::setWrittenFileObserver([&](const conf::WrittenFile& file) { written.push_back(file); });
    conf::writePostAnalysisBatch(kCustomSa, true, "C:\\" + name + "\\missing.exe", "%Q");
    conf::setWrittenFileObserver(previous);
    // The batch file is told as written, with the line that lost the path (zembrelconf-cli names both).
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.back().path, kCustomSa);
    EXPECT_NE(std::string::npos, written.back().lostLine.find(name + "\\missing.exe")) << written.back().lostLine;
    EXPECT_NE(std::string::npos, capture.last().find(std::string("Batch file ") + kCustomSa + " names characters that code page "
                                                       + std::to_string(platform::batchFileCodePage())));
    EXPECT_NE(std::string::npos, inst.read(kCustomSa).find("\"C:\\?"));
}

TEST(BatchCodePageWin32, zembrelsOwnOemTextIsCopiedAsItWas)
{
    const unsigned codePage = platform::batchFileCodePage();
    const std::string name = directoryName(true);
    if (name.empty())
        GTEST_SKIP() << "OEM code page " << codePage << " holds none of the test's names";
    FakeInstallation inst;
    std::string line;
    ASSERT_TRUE(platform::utf8ToCodePage("rem " + name, codePage, line));
    inst.write("D:\\Tools\\Zembrel\\Share\\etc\\msmake.bat", line + "\r\nnmake\r\n");
    conf::writeMsBuildBatch(false);
    EXPECT_NE(std::string::npos, inst.read("D:\\Tools\\Zembrel\\Share\\etc\\msvelcppmake.bat").find("\r\n" + line + "\r\n"));
}

} // namespace
