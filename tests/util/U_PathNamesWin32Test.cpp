// Path names on Windows: drive letters, "\" separators and the canonical form with forward slashes.
#include "U_PathNames.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string withBackslashes(std::string path)
{
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

TEST(PathNamesWin32Test, backslashesAreAcceptedAndTheCanonicalPathHasForwardSlashes)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("sub/a.c"), "int x;\n");
    const std::string given = withBackslashes(dir.file("sub/a.c"));
    ASSERT_EQ(given.substr(1, 2), ":\\");
    EXPECT_TRUE(fileExists(given));
    EXPECT_TRUE(isRegularFile(given));
    EXPECT_TRUE(fileReadable(given));
    // The tool turns every path it is given forward first.
    EXPECT_EQ(fullPath(toForwardSlashes(given)), dir.file("sub/a.c"));
    EXPECT_EQ(fullPath(toForwardSlashes(withBackslashes(dir.file("sub")))), dir.file("sub"));
    EXPECT_EQ(currentDirectory().substr(1, 2), ":/");
}

TEST(PathNamesWin32Test, driveRootsAndDriveRelativeNames)
{
    testsupport::TempDir dir;
    const std::string drive = dir.path().substr(0, 2);
    EXPECT_EQ(fullPath(drive + "/"), drive + "/");
    EXPECT_TRUE(isRoot(drive + "/"));
    EXPECT_EQ(dirName(toForwardSlashes(drive + "\\a.c")), drive + "/");
    EXPECT_EQ(baseName(toForwardSlashes(withBackslashes(dir.file("x\\y.c")))), "y.c");
}

} // namespace
