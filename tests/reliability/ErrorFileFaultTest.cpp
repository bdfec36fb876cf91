// Error files that cannot be read or written stop the run with a clear message and touch nothing else.
#include "ToolSandbox.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace reltest {
namespace {

namespace fs = std::filesystem;

// c.cpp's error file is broken in some way; a.cpp's is sound and named after it on the command line.
class ErrorFileFaultTest : public testing::Test {
protected:
    ErrorFileFaultTest()
    {
        box.messageRules("100 legacy\n");
        for (const char* name : {"a.cpp", "c.cpp"}) {
            box.source(name, "legacy_call();\n");
            box.errorFile(name, "loc L S 1 1\nblock\ndiag L 100\nend\n");
        }
    }

    // Runs c.cpp then a.cpp; the run must stop at c.cpp with the status and the message, leaving
    // every file below out/ as it was.
    void expectStopWithNothingTouched(const std::string& message, int status = 10)
    {
        const auto before = box.outputSnapshot();
        const testsupport::ProcessResult r = box.runTool({"c.cpp", "a.cpp"});
        EXPECT_EQ(r.status, status) << r.out << r.err;
        EXPECT_NE((r.out + r.err).find(message), std::string::npos) << r.out << r.err;
        EXPECT_EQ(box.outputSnapshot(), before);
    }

    static bool runningAsRoot() { return !testsupport::fileModesBindThisProcess(); }

    ToolSandbox box;
};

TEST_F(ErrorFileFaultTest, directoryInPlaceOfErrorFileStopsWithFailedToOpen)
{
    fs::remove(box.path("out/c.cpp.err"));
    fs::create_directory(box.path("out/c.cpp.err"));
    expectStopWithNothingTouched("Failed to open .err file for src/c.cpp");
    EXPECT_TRUE(fs::is_directory(box.path("out/c.cpp.err")));
}

TEST_F(ErrorFileFaultTest, missingErrorFileStopsWithFailedToOpen)
{
    fs::remove(box.path("out/c.cpp.err"));
    expectStopWithNothingTouched("Failed to open .err file for src/c.cpp");
    EXPECT_FALSE(fs::exists(box.path("out/c.cpp.err")));
}

#ifndef _WIN32
// Symbolic links and unreadable modes: POSIX means. On Windows a file that another program holds
// open without sharing is what cannot be read (ErrorFileFaultWin32Test.cpp).
TEST_F(ErrorFileFaultTest, symbolicLinkToMissingFileStopsWithFailedToOpenAndCreatesNothing)
{
    fs::remove(box.path("out/c.cpp.err"));
    fs::create_symlink(box.path("out/missing.err"), box.path("out/c.cpp.err"));
    expectStopWithNothingTouched("Failed to open .err file for src/c.cpp");
    EXPECT_FALSE(fs::exists(box.path("out/missing.err")));
}

TEST_F(ErrorFileFaultTest, unreadableErrorFileStopsWithFailedToOpen)
{
    if (runningAsRoot())
        GTEST_SKIP() << "root reads files whatever their mode";
    const std::string before = testsupport::readBytes(box.path("out/c.cpp.err"));
    fs::permissions(box.path("out/c.cpp.err"), fs::perms::none);
    expectStopWithNothingTouched("Failed to open .err file for src/c.cpp");
    fs::permissions(box.path("out/c.cpp.err"), fs::perms::owner_all);
    EXPECT_EQ(testsupport::readBytes(box.path("out/c.cpp.err")), before);
}
#endif

TEST_F(ErrorFileFaultTest, errorFileWithoutWritePermissionStopsWithCannotWrite)
{
    // Windows: the read-only attribute binds every user.
    if (runningAsRoot())
        GTEST_SKIP() << "root writes files whatever their mode";
    fs::permissions(box.path("out/c.cpp.err"), fs::perms::owner_read);
    // The writer's open failure is a user exception of the framework: the frame ends with 18.
    expectStopWithNothingTouched("Cannot write error file '", 18);
    fs::permissions(box.path("out/c.cpp.err"), fs::perms::owner_all);
}

} // namespace
} // namespace reltest
