// The platform's locked append: a second opener waits for the first, and roll-back restores.
#include "FileLock.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32
// A forked second opener: FileLockWin32Test.cpp starts one as a process on Windows.
TEST(LockedFile, secondOpenerWaitsUntilTheFirstCloses)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.err");
    testsupport::writeBytes(path, "head");
    // Fork before locking: a child would otherwise share the parent's locked descriptor.
    int ready[2];
    ASSERT_EQ(0, pipe(ready));
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        char go;
        close(ready[1]);
        if (read(ready[0], &go, 1) != 1)
            _exit(2);
        platform::LockedFile second;
        const bool ok = second.open(path) && second.append("B", 1) && second.close();
        _exit(ok ? 0 : 1);
    }
    close(ready[0]);
    platform::LockedFile first;
    ASSERT_TRUE(first.open(path));
    ASSERT_EQ(1, write(ready[1], "g", 1));
    close(ready[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    int status = 0;
    EXPECT_EQ(0, waitpid(pid, &status, WNOHANG)); // still waiting for the lock
    ASSERT_TRUE(first.append("A", 1));
    ASSERT_TRUE(first.close());
    ASSERT_EQ(pid, waitpid(pid, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ("headAB", testsupport::readBytes(path));
}
#endif

TEST(LockedFile, rollBackTruncatesToTheLengthWhenLocked)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.err");
    testsupport::writeBytes(path, "0123456789");
    platform::LockedFile file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(10, file.originalSize());
    char buffer[4];
    EXPECT_EQ(4, file.readAt(2, buffer, 4));
    EXPECT_EQ("2345", std::string(buffer, 4));
    ASSERT_TRUE(file.append("more", 4));
    file.rollBack();
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ("0123456789", testsupport::readBytes(path));
    EXPECT_FALSE(file.open(dir.file("missing")));
    EXPECT_FALSE(testsupport::fileExists(dir.file("missing")));
}

} // namespace
