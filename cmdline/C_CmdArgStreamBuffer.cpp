// Refilling the argument stream from the source stack.
#include "C_CmdArgStreamBuffer.h"

#include "C_FileSource.h"

#include <algorithm>
#include <cstring>

C_CmdArgStreamBuffer::C_CmdArgStreamBuffer(C_ArgsSourceStack& stack, int encoding)
    : stack_(stack), encoding_(encoding)
{
    setg(area_ + kPutback, area_ + kPutback, area_ + kPutback);
}

void C_CmdArgStreamBuffer::pushFile(const std::string& path)
{
    stack_.push(U_Handle<C_ArgsSource>(new C_FileSource(path, encoding_)));
}

C_CmdArgStreamBuffer::int_type C_CmdArgStreamBuffer::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());

    const std::size_t keep = std::min<std::size_t>(gptr() - eback(), kPutback);
    std::memmove(area_ + kPutback - keep, gptr() - keep, keep);

    if (position_ >= current_.size()) {
        const std::string next = stack_.nextArgument();
        if (next.empty())
            return traits_type::eof();
        current_ = next + '\n';
        position_ = 0;
    }
    const std::size_t count = std::min(kData, current_.size() - position_);
    std::memcpy(area_ + kPutback, current_.data() + position_, count);
    position_ += count;
    setg(area_ + kPutback - keep, area_ + kPutback, area_ + kPutback + count);
    return traits_type::to_int_type(*gptr());
}
