// The all-or-nothing append on Windows: blocks written in place under LockFileEx, a failed write cut
// back to the earlier length, files that cannot take an append refused.
#include "AtomicAppend.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::size_t entriesIn(const std::string& directory)
{
    std::size_t n = 0;
    for (auto it = fs::directory_iterator(directory); it != fs::directory_iterator(); ++it)
        ++n;
    return n;
}

// Makes the file as long as the file system allows, less `room` bytes, keeping its first bytes: the
// next write of more than `room` bytes then stops part-way, as on a full disk. Answers the new
// length, or -1 when the limit cannot be found. The file is sparse, so this costs no space.
long long growToFileSystemLimit(const std::string& path, long long room)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    DWORD ignored = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    const auto setLength = [file](long long length) {
        LARGE_INTEGER at;
        at.QuadPart = length;
        return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    };
    long long fits = 0;
    long long tooLong = 1LL << 62;
    if (setLength(tooLong)) {
        CloseHandle(file);
        return -1;
    }
    while (tooLong - fits > 1) {
        const long long middle = fits + (tooLong - fits) / 2;
        (setLength(middle) ? fits : tooLong) = middle;
    }
    const bool ok = setLength(fits - room);
    CloseHandle(file);
    return ok ? fits - room : -1;
}

long long lengthOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

TEST(AtomicAppendFileWin32, blocksAreWrittenInPlaceWithNoOtherFile)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.err");
    testsupport::writeBytes(path, "head");
    const std::string first(10000, 'a');
    const std::string second(3, 'b');
    platform::AtomicAppendFile file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(4, file.originalSize());
    char buffer[3];
    EXPECT_EQ(3, file.readAt(1, buffer, 3));
    EXPECT_EQ("ead", std::string(buffer, 3));
    const platform::AtomicAppendFile::Block blocks[] = {{first.data(), first.size()}, {second.data(), second.size()}};
    ASSERT_TRUE(file.commit(blocks, 2));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ("head" + first + second, testsupport::readBytes(path));
    EXPECT_EQ(1u, entriesIn(dir.path()));
}

TEST(AtomicAppendFileWin32, writeThatFailsPartWayIsCutBackToTheEarlierLength)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.err");
    testsupport::writeBytes(path, "head");
    const long long before = growToFileSystemLimit(path, 5);
    ASSERT_GT(before, 4) << "the file system's file size limit was not found";

    const std::string block(4096, 'b');
    platform::AtomicAppendFile file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(before, file.originalSize());
    EXPECT_FALSE(file.commit(block.data(), block.size()));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(before, lengthOf(path));
    char head[4];
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(4, file.readAt(0, head, 4));
    EXPECT_EQ("head", std::string(head, 4));
    // A block that fits still goes in.
    EXPECT_TRUE(file.commit("12345", 5));
    EXPECT_EQ(before + 5, lengthOf(path));
    fs::resize_file(path, 0);
}

TEST(AtomicAppendFileWin32, readOnlyFileDirectoryAndMissingFileAreRefused)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.err");
    testsupport::writeBytes(path, "head");
    fs::permissions(path, fs::perms::owner_read);
    platform::AtomicAppendFile file;
    EXPECT_FALSE(file.open(path));
    fs::permissions(path, fs::perms::owner_all);
    EXPECT_EQ("head", testsupport::readBytes(path));

    fs::create_directory(dir.file("d.err"));
    EXPECT_FALSE(file.open(dir.file("d.err")));
    EXPECT_FALSE(file.open(dir.file("missing.err")));
    EXPECT_FALSE(fs::exists(dir.file("missing.err")));
}

} // namespace
