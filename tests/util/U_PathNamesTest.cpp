// Path-name functions: the edge cases of splitting and joining, full paths, file tests, comparisons.
#include "U_PathNames.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Runs the test body with the current directory changed, restoring it afterwards.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& directory) : saved_(std::filesystem::current_path())
    {
        std::filesystem::current_path(directory);
    }
    ~CurrentDirectory() { std::filesystem::current_path(saved_); }

private:
    std::filesystem::path saved_;
};

std::string canonical(const std::string& path)
{
    return std::filesystem::canonical(path).generic_string();
}

} // namespace

TEST(PathNamesTest, dirNameOfBareFileIsDot) { EXPECT_EQ(dirName("a.c"), "."); }
TEST(PathNamesTest, dirNameOfFileInRootIsRoot) { EXPECT_EQ(dirName("/a.c"), "/"); }
TEST(PathNamesTest, driveRootKeepsItsSlash) { EXPECT_EQ(dirName("C:/a.c"), "C:/"); }
TEST(PathNamesTest, bareDriveBecomesDriveRoot) { EXPECT_EQ(dirName("C:"), "C:/"); }
TEST(PathNamesTest, dirNameIgnoresTrailingSlash) { EXPECT_EQ(dirName("a/b/"), "a"); }
TEST(PathNamesTest, dirNameOfNestedFile) { EXPECT_EQ(dirName("a/b/c"), "a/b"); }
TEST(PathNamesTest, baseNameIgnoresTrailingSlash) { EXPECT_EQ(baseName("a/b/"), "b"); }
TEST(PathNamesTest, baseNameOfRootIsRoot) { EXPECT_EQ(baseName("/"), "/"); }
TEST(PathNamesTest, joinWithDotSlashGivesName) { EXPECT_EQ(joinPath("./", "x"), "x"); }
TEST(PathNamesTest, shorterTextSortsFirstWhateverItsLetters) { EXPECT_LT(compareIgnoreCase("zz", "AAA"), 0); }
TEST(PathNamesTest, caseDoesNotMatterInComparisons) { EXPECT_EQ(compareIgnoreCase("ABC", "abc"), 0); }

TEST(PathNamesTest, dirNameMoreCases)
{
    EXPECT_EQ(dirName(""), ".");
    EXPECT_EQ(dirName("/"), "/");
    EXPECT_EQ(dirName("C:/"), "C:/");
    EXPECT_EQ(dirName("C:/x/"), "C:/");
    EXPECT_EQ(dirName("C:/x/y.c"), "C:/x");
    EXPECT_EQ(dirName("/a/"), "/");
    EXPECT_EQ(dirName("C:a.c"), ".");
}

TEST(PathNamesTest, baseNameMoreCases)
{
    EXPECT_EQ(baseName("a.c"), "a.c");
    EXPECT_EQ(baseName("/x/y.err"), "y.err");
    EXPECT_EQ(baseName("C:/x"), "x");
    EXPECT_EQ(baseName(""), "");
}

TEST(PathNamesTest, slashesAreTurnedForward)
{
    EXPECT_EQ(toForwardSlashes("C:\\a\\b/c"), "C:/a/b/c");
    EXPECT_EQ(toForwardSlashes(""), "");
}

TEST(PathNamesTest, extensionIsStrippedOnlyInTheLastComponent)
{
    EXPECT_EQ(stripExtension("a.c"), "a");
    EXPECT_EQ(stripExtension("dir.d/a"), "dir.d/a");
    EXPECT_EQ(stripExtension("dir.d/a.b.c"), "dir.d/a.b");
    EXPECT_EQ(stripExtension("noext"), "noext");
    EXPECT_EQ(baseNameNoExtension("x/y/file.cpp"), "file");
}

TEST(PathNamesTest, extensionIsAddedWithOneDot)
{
    EXPECT_EQ(addExtension("a.c", "err"), "a.c.err");
    EXPECT_EQ(addExtension("a.c", ".err"), "a.c.err");
    EXPECT_EQ(addExtension("a.", "err"), "a.err");
    EXPECT_EQ(addExtension("a", ""), "a");
}

TEST(PathNamesTest, joinPathCases)
{
    EXPECT_EQ(joinPath("", "x"), "x");
    EXPECT_EQ(joinPath(".", "x"), "x");
    EXPECT_EQ(joinPath("d", ""), "d");
    EXPECT_EQ(joinPath("d", "x"), "d/x");
    EXPECT_EQ(joinPath("d/", "x"), "d/x");
    EXPECT_EQ(joinPath("/", "x"), "/x");
}

TEST(PathNamesTest, rootsAndSlashes)
{
    EXPECT_TRUE(isRoot("/"));
    EXPECT_TRUE(isRoot("C:/"));
    EXPECT_TRUE(isRoot("x:y"));
    EXPECT_FALSE(isRoot("C:"));
    EXPECT_FALSE(isRoot("/a"));
    EXPECT_FALSE(isRoot(""));
    EXPECT_TRUE(containsSlash("a/b"));
    EXPECT_FALSE(containsSlash("a\\b"));
}

TEST(PathNamesTest, caseInsensitiveEquality)
{
    EXPECT_TRUE(equalsIgnoreCase("VelCpp", "velcpp"));
    EXPECT_FALSE(equalsIgnoreCase("velcpp", "velcp"));
    EXPECT_FALSE(equalsIgnoreCase("a-b", "a_b"));
    EXPECT_TRUE(equalsIgnoreCase("", ""));
    // Only ASCII letters are folded: lead bytes of Japanese text stay distinct.
    EXPECT_FALSE(equalsIgnoreCase("\x82\xA0", "\x82\x80"));
}

TEST(PathNamesTest, caseInsensitivePrefix)
{
    EXPECT_TRUE(startsWithIgnoreCase("VEL", "velcpp"));
    EXPECT_TRUE(startsWithIgnoreCase("", "x"));
    EXPECT_FALSE(startsWithIgnoreCase("velcpp", "vel"));
    EXPECT_FALSE(startsWithIgnoreCase("vex", "velcpp"));
}

TEST(PathNamesTest, compareOrdersByLengthThenLetters)
{
    EXPECT_GT(compareIgnoreCase("AAA", "zz"), 0);
    EXPECT_LT(compareIgnoreCase("abc", "ABD"), 0);
    EXPECT_GT(compareIgnoreCase("b", "A"), 0);
    EXPECT_TRUE(lessIgnoreCase("zz", "aaa"));
    EXPECT_FALSE(lessIgnoreCase("abc", "ABC"));

    std::vector<std::string> names = {"ccc", "B", "aa", "A", "bb"};
    std::stable_sort(names.begin(), names.end(), lessIgnoreCase);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "aa", "bb", "ccc"}));
}

TEST(PathNamesTest, fileInMissingDirectoryIsReturnedUnchanged)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("missing/sub/a.c");
    EXPECT_EQ(fullPath(path), path);
    EXPECT_EQ(fullPath("no/such/dir/a.c"), "no/such/dir/a.c");
}

TEST(PathNamesTest, missingDirectoryIsReturnedUnchanged)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("absent/deeper/");
    EXPECT_EQ(fullPath(path), path);
}

TEST(PathNamesTest, relativeFileBecomesAbsolute)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("sub/a.c"), "int x;\n");
    CurrentDirectory inside(dir.path());
    EXPECT_EQ(fullPath("sub/a.c"), canonical(dir.path()) + "/sub/a.c");
    EXPECT_EQ(fullPath("a.c"), canonical(dir.path()) + "/a.c") << "a file that does not exist yet";
    EXPECT_EQ(fullPath("sub/../sub/a.c"), canonical(dir.path()) + "/sub/a.c");
}

TEST(PathNamesTest, directoryBecomesAbsoluteWithoutTrailingSlash)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.file("d/e"));
    CurrentDirectory inside(dir.path());
    EXPECT_EQ(fullPath("d/e"), canonical(dir.path()) + "/d/e");
#ifdef _WIN32
    // Windows: the absolute path keeps the separator that the full-path service keeps.
    EXPECT_EQ(fullPath("d/e/"), canonical(dir.path()) + "/d/e/");
#else
    EXPECT_EQ(fullPath("d/e/"), canonical(dir.path()) + "/d/e");
#endif
    EXPECT_EQ(fullPath("."), canonical(dir.path()));
    EXPECT_EQ(currentDirectory(), canonical(dir.path()));
}

#ifndef _WIN32
// Symbolic links need a privilege on Windows.
TEST(PathNamesTest, fullPathResolvesSymbolicLinks)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("real/a.c"), "");
    std::filesystem::create_directory_symlink(dir.file("real"), dir.file("link"));
    EXPECT_EQ(fullPath(dir.file("link/a.c")), canonical(dir.path()) + "/real/a.c");
}
#endif

TEST(PathNamesTest, longPathNameFollowsTheBufferConventions)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("file.txt"), "x");
    const std::string expected = canonical(dir.file("file.txt"));

    char buffer[PATH_MAX];
    EXPECT_EQ(longPathName(dir.file("file.txt").c_str(), buffer, sizeof buffer), expected.size());
    EXPECT_EQ(std::string(buffer), expected);

    char small[4] = {'a', 'b', 'c', '\0'};
    EXPECT_EQ(longPathName(dir.file("file.txt").c_str(), small, sizeof small), expected.size() + 1);
    EXPECT_STREQ(small, "abc") << "a buffer that is too small is left alone";

    EXPECT_EQ(longPathName(dir.file("nothing").c_str(), buffer, sizeof buffer), 0u);
}

TEST(PathNamesTest, fileTests)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("f"), "x");
    EXPECT_TRUE(fileExists(dir.file("f")));
    EXPECT_TRUE(fileExists(dir.path()));
    EXPECT_FALSE(fileExists(dir.file("g")));
    EXPECT_TRUE(isRegularFile(dir.file("f")));
    EXPECT_FALSE(isRegularFile(dir.path()));
    EXPECT_FALSE(isRegularFile(dir.file("g")));
    EXPECT_TRUE(fileReadable(dir.file("f")));
    EXPECT_FALSE(fileReadable(dir.file("g")));
}

TEST(PathNamesTest, pathListGivesFirstReadableRegularFile)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.file("one"));
    std::filesystem::create_directories(dir.file("two/.velcpprc")); // a directory of that name
    testsupport::writeBytes(dir.file("three/.velcpprc"), "a");
    testsupport::writeBytes(dir.file("four/.velcpprc"), "b");
    const std::string list = dir.file("one") + ";" + dir.file("two") + ";" + dir.file("three") + ";" +
                             dir.file("four");
    EXPECT_EQ(findInPathList(list, ".velcpprc"), dir.file("three/.velcpprc"));
    EXPECT_EQ(findInPathList(dir.file("one"), ".velcpprc"), "");
    EXPECT_EQ(findInPathList("", ".velcpprc"), "");
}

TEST(PathNamesTest, emptyPathListEntryMeansCurrentDirectory)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file(".velcpprc"), "a");
    CurrentDirectory inside(dir.path());
    EXPECT_EQ(findInPathList(";/nonexistent", ".velcpprc"), ".velcpprc");
    EXPECT_EQ(findInPathList("/nonexistent;", ".velcpprc"), ".velcpprc");
}
