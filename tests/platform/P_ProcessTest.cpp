// Process id and temporary file names.
#include "P_Process.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <unistd.h>

TEST(ProcessTest, processIdIsThisProcess)
{
    EXPECT_EQ(platform::processId(), static_cast<unsigned long>(getpid()));
}

TEST(ProcessTest, temporaryNamesAreNewFilesInTheDirectory)
{
    testsupport::TempDir dir;
    std::set<std::string> names;
    for (int i = 0; i < 50; ++i) {
        const std::string name = platform::temporaryFileName(dir.path(), "nxl42");
        ASSERT_EQ(name.rfind(dir.path() + "/nxl42", 0), 0u) << name;
        EXPECT_FALSE(testsupport::fileExists(name));
        testsupport::writeBytes(name, "taken");
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 50u);
}

TEST(ProcessTest, noTemporaryNameInMissingDirectory)
{
    testsupport::TempDir dir;
    EXPECT_EQ(platform::temporaryFileName(dir.file("missing"), "nxl"), "");
    testsupport::writeBytes(dir.file("plain"), "");
    EXPECT_EQ(platform::temporaryFileName(dir.file("plain"), "nxl"), "");
}

TEST(ProcessTest, emptyDirectoryMeansDefaultTemporaryDirectory)
{
    EXPECT_FALSE(platform::temporaryFileName("", "nxl").empty());
}
