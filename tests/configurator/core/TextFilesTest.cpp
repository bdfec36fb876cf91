// Placeholder replacement, template reading, directory creation and generated-file replacement.
#include "FakeInstallation.h"
#include "MessageCapture.h"
#include "TextFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;
using conftest::FakeInstallation;
using conftest::MessageCapture;
using conftest::ProcessEnded;

int endCode(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ProcessEnded& ended) {
        return ended.code;
    }
    return -1;
}

TEST(ReplaceAll, replacesEveryOccurrenceWithoutExpandingInsertedText)
{
    std::string text = "{A}-{A}-{a}";
    conf::replaceAll(text, "{A}", "x{A}y");
    EXPECT_EQ("x{A}y-x{A}y-{a}", text);

    std::string empty;
    conf::replaceAll(empty, "", "x");
    EXPECT_EQ("", empty);
    std::string unchanged = "abc";
    conf::replaceAll(unchanged, "", "x");
    EXPECT_EQ("abc", unchanged);
    conf::replaceAll(unchanged, "b", "");
    EXPECT_EQ("ac", unchanged);
    std::string overlap = "aaa";
    conf::replaceAll(overlap, "aa", "b");
    EXPECT_EQ("ba", overlap);
}

TEST(ReadTemplate, dropsTheCarriageReturnOfEachLineEnd)
{
    FakeInstallation inst;
    inst.write("C:\\t\\a.txt", "one\r\ntwo\r\n\r\nthree");
    EXPECT_EQ("one\ntwo\n\nthree", conf::readTemplate("C:\\t\\a.txt"));
    inst.write("C:\\t\\b.txt", "lone\rcr\n");
    EXPECT_EQ("lone\rcr\n", conf::readTemplate("c:\\T\\B.TXT"));
    inst.write("C:\\t\\empty.txt", "");
    EXPECT_EQ("", conf::readTemplate("C:\\t\\empty.txt"));
}

TEST(ReadTemplate, missingTemplateEndsWithCannotOpenFile)
{
    FakeInstallation inst;
    MessageCapture capture;
    EXPECT_EQ(10, endCode([] { conf::readTemplate("C:\\t\\none.txt"); }));
    EXPECT_EQ("Cannot open file C:\\t\\none.txt", capture.last());
}

TEST(EnsureParentDir, createsMissingAncestorsButNotADriveRoot)
{
    FakeInstallation inst;
    conf::ensureParentDir("C:/new/deep\\dir\\file.txt");
    EXPECT_TRUE(fs::is_directory(inst.host("C:\\new\\deep\\dir")));
    conf::ensureParentDir("C:\\rootfile.txt"); // the parent is the drive root: nothing to create
    EXPECT_TRUE(fs::is_directory(inst.host("C:\\")));
}

TEST(EnsureParentDir, failureEndsWithCannotCreateDir)
{
    FakeInstallation inst;
    inst.write("C:\\blocker", "a file where a directory is needed");
    MessageCapture capture;
    EXPECT_EQ(10, endCode([] { conf::ensureParentDir("C:\\blocker\\sub\\f.txt"); }));
    EXPECT_EQ("Cannot create dir C:\\blocker\\sub", capture.last());
}

TEST(WriteGeneratedFile, writesCrLfLineEndsAndReplacesAnExistingFile)
{
    FakeInstallation inst;
    inst.write("C:\\out\\old.txt", "old content that is longer");
    conf::writeGeneratedFile("a\nb\n\nc", "C:\\out\\old.txt");
    EXPECT_EQ("a\r\nb\r\n\r\nc", inst.read("C:\\out\\old.txt"));
    conf::writeGeneratedFile("x\n", "C:\\fresh\\dir\\new.txt");
    EXPECT_EQ("x\r\n", inst.read("C:\\fresh\\dir\\new.txt"));
    conf::writeGeneratedFile("root\n", "D:\\root.txt");
    EXPECT_EQ("root\r\n", inst.read("D:\\root.txt"));
}

TEST(WriteGeneratedFile, readOnlyOutputEndsWithFailedToOverwrite)
{
    FakeInstallation inst;
    inst.write("C:\\out\\ro.txt", "keep");
    fs::permissions(inst.host("C:\\out\\ro.txt"), fs::perms::all & ~fs::perms::owner_write & ~fs::perms::group_write
                                                      & ~fs::perms::others_write);
    MessageCapture capture;
    EXPECT_EQ(10, endCode([] { conf::writeGeneratedFile("new", "C:\\out\\ro.txt"); }));
    EXPECT_EQ("Failed to overwrite file C:\\out\\ro.txt\nAborting.", capture.last());
    EXPECT_EQ("keep", inst.read("C:\\out\\ro.txt"));
}

TEST(WriteGeneratedFile, outputThatCannotBeCreatedEndsWithCannotOpenFile)
{
    FakeInstallation inst;
    MessageCapture capture;
    // replaceTextFile does not create directories, so a missing one makes the file impossible to create.
    EXPECT_EQ(10, endCode([] { conf::replaceTextFile("x", "C:\\nodir\\f.txt"); }));
    EXPECT_EQ("Cannot open file C:\\nodir\\f.txt", capture.last());
}

} // namespace
