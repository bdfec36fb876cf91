// An error file that another program holds open without sharing cannot be read: the run stops there.
#include "ToolSandbox.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace reltest {
namespace {

TEST(ErrorFileFaultWin32Test, errorFileHeldWithoutSharingStopsWithFailedToOpen)
{
    ToolSandbox box;
    box.messageRules("100 legacy\n");
    for (const char* name : {"a.cpp", "c.cpp"}) {
        box.source(name, "legacy_call();\n");
        box.errorFile(name, "loc L S 1 1\nblock\ndiag L 100\nend\n");
    }
    const std::string held = box.path("out/c.cpp.err");
    const std::string heldBytes = testsupport::readBytes(held);
    const std::string other = testsupport::readBytes(box.path("out/a.cpp.err"));
    const HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const testsupport::ProcessResult r = box.runTool({"c.cpp", "a.cpp"});
    CloseHandle(file);

    EXPECT_EQ(r.status, 10) << r.out << r.err;
    EXPECT_EQ(r.out, testsupport::consoleText("Failed to open .err file for src/c.cpp\n"));
    EXPECT_EQ(testsupport::readBytes(held), heldBytes);
    EXPECT_EQ(testsupport::readBytes(box.path("out/a.cpp.err")), other);
}

} // namespace
} // namespace reltest
