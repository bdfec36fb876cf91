// Helpers shared by the fuzz targets: silencing the code's own output and a scratch directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <streambuf>
#include <string>
#include <unistd.h>

#include "TestSupport.h"

namespace fuzzsupport {

// Swallows everything, so that the fuzzer's own report on the error stream stays readable.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

// Sends standard output to /dev/null and std::cerr nowhere (libFuzzer reports through stderr
// itself), and puts scratch files in memory when it can: a disk-backed temporary directory makes the
// targets that write their input to a file a hundred times slower.
inline void setUpProcess()
{
    if (!std::getenv("TMPDIR") && ::access("/dev/shm", W_OK) == 0)
        ::setenv("TMPDIR", "/dev/shm", 1);
    static NullBuffer sink;
    std::cerr.rdbuf(&sink);
    std::cout.rdbuf(&sink);
    std::fflush(stdout);
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
        ::dup2(null, 1);
        ::close(null);
    }
}

// One temporary directory per fuzzing process, removed when the process ends normally.
inline const testsupport::TempDir& scratch()
{
    static testsupport::TempDir dir;
    return dir;
}

// The input as text.
inline std::string bytesOf(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Splits off the first byte of the input as a selector (0 when the input is empty).
inline unsigned takeSelector(std::string& bytes)
{
    if (bytes.empty())
        return 0;
    const unsigned selector = static_cast<unsigned char>(bytes[0]);
    bytes.erase(0, 1);
    return selector;
}

} // namespace fuzzsupport
