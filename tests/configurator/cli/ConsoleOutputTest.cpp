// zembrelconf-cli's output with a non-ASCII path, redirected: in the code page the platform chose
// for redirected output (Windows: the console's, else the OEM code page; elsewhere UTF-8).
#include "CliMessages.h"
#include "CliRun.h"
#include "FakeInstallation.h"

#include "CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(ConsoleOutput, redirectedOutputNamesANonAsciiPathInTheChosenCodePage)
{
    conftest::FakeInstallation inst;
    testsupport::TempDir dir;
    const std::string missing = dir.file("Gr\u00fc\u00dfe \u00e9t\u00e9/answers.txt");
    const clitest::CliRun run = clitest::runCli(inst, {missing});

    const unsigned codePage = platform::redirectedOutputCodePage();
    std::string expected;
    ASSERT_TRUE(platform::utf8ToCodePage(std::string(confcli::msg::kCannotReadAnswers) + missing + "\n"
                                             + confcli::msg::kNothingWritten + "\n",
                                         codePage, expected))
        << codePage;
    EXPECT_EQ(expected, run.result.out) << "code page " << codePage;
    // Where the chosen code page is not UTF-8, the UTF-8 bytes of the path are not what is written.
    if (codePage != platform::kUtf8CodePage) {
        EXPECT_EQ(std::string::npos, run.result.out.find("\u00fc"));
    }
}

} // namespace
