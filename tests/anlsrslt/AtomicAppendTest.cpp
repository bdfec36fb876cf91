// The platform's all-or-nothing append: replacement by rename, links, failures and waiting writers.
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
    ASSERT_TRUE(file.commit("tail", 4));
    EXPECT_FALSE(file.isOpen());

    EXPECT_EQ("headtail", testsupport::readBytes(path));
    const struct stat after = statOf(path);
    EXPECT_NE(before, after.st_ino); // published by rename, not written in place
    EXPECT_EQ(0640u, after.st_mode & 07777);
    EXPECT_EQ(std::set<std::string>{"x.err"}, entries(dir.path()));

    // A second append copies the first one's result.
    ASSERT_TRUE(file.open(path));
    ASSERT_TRUE(file.commit("!", 1));
    EXPECT_EQ("headtail!", testsupport::readBytes(path));
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
    ASSERT_TRUE(file.commit("tail", 4));

    EXPECT_TRUE(S_ISLNK(statOf(dir.file("x.err")).st_mode));
    EXPECT_EQ("headtail", testsupport::readBytes(target));
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

    // A file size limit lets the copy of the old bytes through but not the whole block.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit;
        limit.rlim_cur = limit.rlim_max = 6;
        setrlimit(RLIMIT_FSIZE, &limit);
        platform::AtomicAppendFile child;
        if (!child.open(path))
            _exit(2);
        _exit(child.commit("0123456789", 10) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(pid, waitpid(pid, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ("head", testsupport::readBytes(path));
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
        const bool ok = opened && second.commit("B", 1);
        _exit(ok ? 0 : 1);
    }
    // The child's open blocks on the lock until the first writer has published.
    usleep(200 * 1000);
    int status = 0;
    EXPECT_EQ(0, waitpid(pid, &status, WNOHANG));
    ASSERT_TRUE(first.commit("A", 1));
    ASSERT_EQ(pid, waitpid(pid, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ("headAB", testsupport::readBytes(path));
}

} // namespace
