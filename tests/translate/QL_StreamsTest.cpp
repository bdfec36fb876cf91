// Character sources and sinks.
#include "QL_Destination.h"
#include "QL_Source.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(StringSourceTest, readsToTheFirstZeroAndStepsBack)
{
    StringSource source(std::string("a\xFF\0b", 4));
    EXPECT_EQ(source.get(), 'a');
    EXPECT_EQ(source.get(), 0xFF);
    EXPECT_EQ(source.get(), -1);
    source.unget(0xFF);
    EXPECT_EQ(source.get(), 0xFF);
    source.close();
    EXPECT_EQ(source.get(), -1);
    source.unget('x');
    EXPECT_EQ(source.get(), -1) << "the position never goes below the start";
}

TEST(FileSourceTest, readsAFileAndPushesBack)
{
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("f"), "ab");
    FileSource source;
    ASSERT_TRUE(source.open(dir.file("f")));
    EXPECT_EQ(source.get(), 'a');
    EXPECT_EQ(source.get(), 'b');
    EXPECT_EQ(source.get(), -1);
    EXPECT_EQ(source.get(), -1);
    source.unget('b');
    EXPECT_EQ(source.get(), 'b') << "unget clears the end";
    source.close();
    EXPECT_EQ(source.get(), -1);
}

TEST(FileSourceTest, missingFileReportsOnRead)
{
    testsupport::TempDir dir;
    FileSource source;
    EXPECT_FALSE(source.open(dir.file("missing")));
    testing::internal::CaptureStderr();
    EXPECT_EQ(source.get(), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "FileSource::Get called when pfile is null!\n");
}

TEST(FileSourceTest, readErrorIsReportedAndEndsInput)
{
    testsupport::TempDir dir;
    FileSource source;
#ifdef _WIN32
    // Windows does not open a directory as a file, so its read cannot fail.
    EXPECT_FALSE(source.open(dir.path()));
    return;
#endif
    ASSERT_TRUE(source.open(dir.path())); // POSIX: a directory opens but cannot be read
    testing::internal::CaptureStderr();
    EXPECT_EQ(source.get(), -1);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(report.rfind("FileSource::Get got error 21, char ", 0), 0u) << report;
    EXPECT_NE(report.find(" (-1).\n"), std::string::npos) << report;
    EXPECT_EQ(source.get(), -1);
}

TEST(DestinationTest, stringDestinationCollectsBytesAndTexts)
{
    StringDestination out;
    out.putByte('a');
    out.putWide(0x3042);
    out.putText("bc");
    out.putByte(0x1FF);
    EXPECT_EQ(out.text(), "abc\xFF");
}

TEST(DestinationTest, fileDestinationWritesUnitsAsFourLittleEndianBytes)
{
    testsupport::TempDir dir;
    FileDestination out;
    ASSERT_TRUE(out.open(dir.file("out")));
    out.putByte('x');
    out.putWide(0x3042);
    out.putText("yz");
    out.close();
    out.putByte('!'); // closed: nothing happens
    EXPECT_EQ(testsupport::readBytes(dir.file("out")), std::string("x\x42\x30\0\0yz", 7));
    EXPECT_FALSE(out.open(dir.file("missing/out")));
}
