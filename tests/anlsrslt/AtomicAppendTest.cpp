// The platform's all-or-nothing append: in place within a page, replacement by rename beyond it,
// links, failures and waiting writers.
#include "AtomicAppend.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::set<std::string> entries(const std::string& directory)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

struct stat statOf(const std::string& path)
{
    struct stat info = {};
    EXPECT_EQ(0, ::lstat(path.c_str(), &info)) << path;
    return info;
}

std::size_t pageSize()
{
    return static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// A block that crosses a page boundary after any non-empty file: published by a rename.
std::string pageCrossing(char fill)
{
    return std::string(pageSize(), fill);
}

// Commits the blocks to the file from a child process whose file size limit is the given number
// of bytes (exceeding it fails the write instead of killing the child); answers whether the child
// ran and saw its commit refused.
bool commitRefusedUnderSizeLimit(const std::string& path, const platform::AtomicAppendFile::Block* blocks,
                                 std::size_t count, rlim_t limitBytes)
{
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit;
        limit.rlim_cur = limit.rlim_max = limitBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        platform::AtomicAppendFile child;
        if (!child.open(path))
            _exit(2);
        _exit(child.commit(blocks, count) ? 1 : 0);
    }
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Appends the block to a fresh copy of the old bytes; answers whether the file kept its inode.
bool appendedInPlace(const testsupport::TempDir& dir, const std::string& old, const std::string& block)
{
    const std::string path = dir.file("boundary.err");
    testsupport::writeBytes(path, old);
    const ino_t before = statOf(path).st_ino;
    platform::AtomicAppendFile file;
    EXPECT_TRUE(file.open(path));
    EXPECT_TRUE(file.commit(block.data(), block.size()));
    EXPECT_EQ(old + block, testsupport::readBytes(path));
    return before == statOf(path).st_ino;
}

TEST(AtomicAppendFile, blockEndingWithinTheLastPageIsWrittenInPlaceOneByteMoreIsRenamed)
{
    testsupport::TempDir dir;
    const std::size_t page = pageSize();
    const std::string old(page + page - 10, 'o'); // 10 bytes left in its last page
    EXPECT_TRUE(appendedInPlace(dir, old, std::string(10, 'b')));
    EXPECT_FALSE(appendedInPlace(dir, old, std::string(11, 'b')));
    // An empty file, and one that ends exactly at a page boundary, have a whole page.
    EXPECT_TRUE(appendedInPlace(dir, "", std::string(page, 'b')));
    EXPECT_FALSE(appendedInPlace(dir, "", std::string(page + 1, 'b')));
    EXPECT_TRUE(appendedInPlace(dir, std::string(page, 'o'), std::string(page, 'b')));
    EXPECT_FALSE(appendedInPlace(dir, std::string(page, 'o'), std::string(page + 1, 'b')));
    EXPECT_EQ(std::set<std::string>{"boundary.err"}, entries(dir.path()));
}

TEST(AtomicAppendFile, commitReplacesTheFileWithItsBytesAndTheBlockKeepingModeAndLeavingNoTemp)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.err");
    testsupport::writeBytes(path, "head");
    ASSERT_EQ(0, ::chmod(path.c_str(), 0640));
    const ino_t before = statOf(path).st_ino;

    platform::AtomicAppendFile file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(4, file.originalSize());
    char buffer[3];
    EXPECT_EQ(3, file.readAt(1, buffer, 3));
    EXPECT_EQ("ead", std::string(buffer, 3));
    const std::string tail = pageCrossing('t');
    ASSERT_TRUE(file.commit(tail.data(), tail.size()));
    EXPECT_FALSE(file.isOpen());

    EXPECT_EQ("head" + tail, testsupport::readBytes(path));
    const struct stat after = statOf(path);
    EXPECT_NE(before, after.st_ino); // published by rename, not written in place
    EXPECT_EQ(0640u, after.st_mode & 07777);
    EXPECT_EQ(std::set<std::string>{"x.err"}, entries(dir.path()));

    // A second append builds on the first one's result.
    ASSERT_TRUE(file.open(path));
    ASSERT_TRUE(file.commit(tail.data(), tail.size()));
    EXPECT_EQ("head" + tail + tail, testsupport::readBytes(path));
}

TEST(AtomicAppendFile, symbolicLinkStaysALinkAndAHardLinkKeepsTheOldBytes)
{
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    const std::string target = dir.file("real/x.err");
    testsupport::writeBytes(target, "head");
    ASSERT_EQ(0, ::symlink("real/x.err", dir.file("x.err").c_str()));
    ASSERT_EQ(0, ::link(target.c_str(), dir.file("hard.err").c_str()));

    platform::AtomicAppendFile file;
    ASSERT_TRUE(file.open(dir.file("x.err")));
    const std::string tail = pageCrossing('t');
    ASSERT_TRUE(file.commit(tail.data(), tail.size()));

    EXPECT_TRUE(S_ISLNK(statOf(dir.file("x.err")).st_mode));
    EXPECT_EQ("head" + tail, testsupport::readBytes(target));
    EXPECT_EQ("head", testsupport::readBytes(dir.file("hard.err")));
    EXPECT_EQ((std::set<std::string>{"hard.err", "real", "x.err"}), entries(dir.path()));
    EXPECT_EQ(std::set<std::string>{"x.err"}, entries(dir.file("real")));
}

TEST(AtomicAppendFile, abandonedOrFailedAppendLeavesTheFileAsItWasAndNoTemp)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.err");
    testsupport::writeBytes(path, "head");
    const ino_t before = statOf(path).st_ino;

    platform::AtomicAppendFile file;
    ASSERT_TRUE(file.open(path));
    file.abandon();
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(file.commit("x", 1));

    // A file size limit stops the block part way, written in place (cut back) or into the copy
    // (which lets the old bytes through but not the whole block).
    for (const std::string& block : {std::string("0123456789"), pageCrossing('b')}) {
        const platform::AtomicAppendFile::Block one[] = {{block.data(), block.size()}};
        EXPECT_TRUE(commitRefusedUnderSizeLimit(path, one, 1, 6)) << block.size();

        EXPECT_EQ("head", testsupport::readBytes(path));
        EXPECT_EQ(before, statOf(path).st_ino);
        EXPECT_EQ(std::set<std::string>{"x.err"}, entries(dir.path()));
    }
}

TEST(AtomicAppendFile, blocksFitInPlaceOneAfterTheOtherTheRestShareOneCopyAndAFailureKeepsTheOnesBefore)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.err");
    const std::string big = pageCrossing('b');
    using Block = platform::AtomicAppendFile::Block;

    testsupport::writeBytes(path, "head");
    ino_t before = statOf(path).st_ino;
    platform::AtomicAppendFile file;
    ASSERT_TRUE(file.open(path));
    const Block small[] = {{"ab", 2}, {"cd", 2}};
    ASSERT_TRUE(file.commit(small, 2));
    EXPECT_EQ("headabcd", testsupport::readBytes(path));
    EXPECT_EQ(before, statOf(path).st_ino);

    ASSERT_TRUE(file.open(path));
    const Block mixed[] = {{"ef", 2}, {big.data(), big.size()}, {"gh", 2}};
    ASSERT_TRUE(file.commit(mixed, 3));
    EXPECT_EQ("headabcdef" + big + "gh", testsupport::readBytes(path));
    EXPECT_NE(before, statOf(path).st_ino);
    EXPECT_EQ(std::set<std::string>{"x.err"}, entries(dir.path()));

    // The first block is written in place; the limit stops the copy that holds the second.
    testsupport::writeBytes(path, "head");
    before = statOf(path).st_ino;
    const Block blocks[] = {{"ab", 2}, {big.data(), big.size()}};
    EXPECT_TRUE(commitRefusedUnderSizeLimit(path, blocks, 2, 16));
    EXPECT_EQ("headab", testsupport::readBytes(path));
    EXPECT_EQ(before, statOf(path).st_ino);
    EXPECT_EQ(std::set<std::string>{"x.err"}, entries(dir.path()));
}

TEST(AtomicAppendFile, refusesWhatIsNotAnExistingWritableRegularFile)
{
    testsupport::TempDir dir;
    platform::AtomicAppendFile file;
    EXPECT_FALSE(file.open(dir.file("missing")));
    EXPECT_FALSE(testsupport::fileExists(dir.file("missing")));
    EXPECT_FALSE(file.open(dir.path()));
    ASSERT_EQ(0, ::symlink("missing", dir.file("dangling").c_str()));
    EXPECT_FALSE(file.open(dir.file("dangling")));
    EXPECT_FALSE(testsupport::fileExists(dir.file("missing")));
    if (::geteuid() != 0) { // root may write to any file
        testsupport::writeBytes(dir.file("ro.err"), "head");
        ASSERT_EQ(0, ::chmod(dir.file("ro.err").c_str(), 0444));
        EXPECT_FALSE(file.open(dir.file("ro.err")));
    }
}

// The waiting writer gets the lock on the file that the first one has just replaced: it must
// notice, and append to the new file, or the first block would be lost.
TEST(AtomicAppendFile, writerWaitingForTheLockAppendsToTheReplacedFile)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.err");
    testsupport::writeBytes(path, "head");
    platform::AtomicAppendFile first;
    ASSERT_TRUE(first.open(path));
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // Closing the inherited copy of the descriptor leaves the parent's lock in place.
        first.abandon();
        platform::AtomicAppendFile second;
        const bool opened = second.open(path);
        const std::string b = pageCrossing('B');
        const bool ok = opened && second.commit(b.data(), b.size());
        _exit(ok ? 0 : 1);
    }
    // The child's open blocks on the lock until the first writer has published.
    usleep(200 * 1000);
    int status = 0;
    EXPECT_EQ(0, waitpid(pid, &status, WNOHANG));
    const std::string a = pageCrossing('A');
    ASSERT_TRUE(first.commit(a.data(), a.size()));
    ASSERT_EQ(pid, waitpid(pid, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ("head" + a + pageCrossing('B'), testsupport::readBytes(path));
}

} // namespace
