// Streams over the C library's stdout and stderr.
#include "U_StandardStreams.h"

#include <cstdio>
#include <ostream>
#include <streambuf>

namespace {

// Unbuffered on the C++ side: every character and every run of them goes to the C library's
// stream at once, so that output through both keeps its order.
class StdioBuffer : public std::streambuf {
public:
    explicit StdioBuffer(std::FILE* file) : file_(file) {}

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        return std::fputc(c, file_) == EOF ? traits_type::eof() : c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        return static_cast<std::streamsize>(std::fwrite(s, 1, static_cast<std::size_t>(n), file_));
    }
    int sync() override { return std::fflush(file_) == 0 ? 0 : -1; }

private:
    std::FILE* file_;
};

} // namespace

// Never destroyed: output may still be written while the process ends.
std::ostream& standardOutput()
{
    static std::ostream* stream = new std::ostream(new StdioBuffer(stdout));
    return *stream;
}

std::ostream& standardError()
{
    static std::ostream* stream = [] {
        auto* made = new std::ostream(new StdioBuffer(stderr));
        made->setf(std::ios_base::unitbuf);
        made->tie(&standardOutput());
        return made;
    }();
    return *stream;
}
