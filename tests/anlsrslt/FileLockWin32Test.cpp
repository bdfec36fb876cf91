// LockFileEx between processes: an append by another process waits until the lock holder closes.
#include "ErrtoolDescription.h"
#include "FileLock.h"
#include "M_InputBonnie.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

TEST(LockedFileWin32, appendOfAnotherProcessWaitsUntilTheLockHolderCloses)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("a.err");
    const std::string before = errtool::buildErrorFile("loc L /s/a.c 3 1\nblock\ndiag L 10\nend\n");
    testsupport::writeBytes(path, before);
    testsupport::writeBytes(dir.file("more.txt"), "loc L /s/a.c 3 1\nsupp 1 L Auto L - 10 10\n");

    platform::LockedFile first;
    ASSERT_TRUE(first.open(path));
    std::atomic<bool> done{false};
    testsupport::ProcessResult second;
    std::thread other([&] {
        second = testsupport::runProcess(
            {testsupport::builtProgram("tools/errtool/errtool"), "append", dir.file("more.txt"), path});
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_FALSE(done) << "errtool appended while the file was locked";
    // The lock holder's bytes go first; here a block record with an empty body.
    ASSERT_TRUE(first.append("\x01\0\0\0\0", 5));
    ASSERT_TRUE(first.close());
    other.join();
    EXPECT_EQ(0, second.status) << second.err;

    const std::string after = testsupport::readBytes(path);
    ASSERT_GT(after.size(), before.size() + 5);
    EXPECT_EQ(before + std::string("\x01\0\0\0\0", 5), after.substr(0, before.size() + 5));
    const auto reader = M_InputBonnie::openAndRead(path, "a.c");
    ASSERT_TRUE(reader);
    EXPECT_EQ(1u, reader->suppressions().size());
    // The analyser's block, the lock holder's and errtool's.
    EXPECT_EQ(3u, reader->blockStarts().size());
}

} // namespace
