// Standard streams whose UTF-8 text goes to a console as UTF-16 and elsewhere in a code page.
#include "ConsoleOutput.h"

#include "CodePage.h"
#include "Win32Utf16.h"

#include <cstdio>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace platform {

namespace {

// Collects the stream's bytes and writes them at each line end and flush, whole UTF-8 characters
// only: a character split between two writes waits for its rest.
class ConsoleBuffer : public std::streambuf {
public:
    ConsoleBuffer(std::ostream& stream, StandardStream which)
        : stream_(stream)
        , file_(which == StandardStream::Output ? stdout : stderr)
        , handle_(GetStdHandle(which == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE))
        , previous_(stream.rdbuf())
    {
        DWORD mode = 0;
        console_ = handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr && GetFileType(handle_) == FILE_TYPE_CHAR
                   && GetConsoleMode(handle_, &mode);
        stream_.rdbuf(this);
    }

    ~ConsoleBuffer() override
    {
        writePending(true);
        stream_.rdbuf(previous_);
    }

    ConsoleBuffer(const ConsoleBuffer&) = delete;
    ConsoleBuffer& operator=(const ConsoleBuffer&) = delete;

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        pending_ += traits_type::to_char_type(c);
        if (c == '\n')
            writePending(false);
        return c;
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        pending_.append(text, static_cast<std::size_t>(count));
        if (pending_.find('\n') != std::string::npos)
            writePending(false);
        return count;
    }

    int sync() override
    {
        writePending(false);
        return 0;
    }

private:
    void writePending(bool all)
    {
        const std::size_t length = all ? pending_.size() : completeUtf8Length(pending_);
        if (length == 0)
            return;
        const std::string text = pending_.substr(0, length);
        pending_.erase(0, length);
        if (console_) {
            // The C run-time library's buffer goes first, so that what printf wrote stays in order.
            std::fflush(file_);
            const std::wstring wide = win32::toWide(text);
            const wchar_t* p = wide.data();
            DWORD left = static_cast<DWORD>(wide.size());
            while (left > 0) {
                DWORD written = 0;
                if (!WriteConsoleW(handle_, p, left, &written, nullptr) || written == 0)
                    return;
                p += written;
                left -= written;
            }
            return;
        }
        std::string bytes;
        utf8ToCodePage(text, redirectedOutputCodePage(), bytes);
        std::fwrite(bytes.data(), 1, bytes.size(), file_);
        std::fflush(file_);
    }

    std::ostream& stream_;
    std::FILE* file_;
    HANDLE handle_;
    std::streambuf* previous_;
    bool console_ = false;
    std::string pending_;
};

} // namespace

void useConsoleEncoding(std::ostream& stream, StandardStream which)
{
    // Static, so that it lives until the process ends, also through exit(); destroyed before the
    // standard streams are, it writes what is left and hands the stream its own buffer back.
    static std::unique_ptr<ConsoleBuffer> buffers[2];
    std::unique_ptr<ConsoleBuffer>& slot = buffers[which == StandardStream::Output ? 0 : 1];
    if (!slot)
        slot = std::make_unique<ConsoleBuffer>(stream, which);
}

} // namespace platform
