// An input stream buffer over the argument sources: every argument reaches the reader as one line.
#pragma once

#include "C_ArgsSourceStack.h"

#include <streambuf>
#include <string>

class C_CmdArgStreamBuffer : public std::streambuf {
public:
    C_CmdArgStreamBuffer(C_ArgsSourceStack& stack, int encoding);

    // Pushes a file source for the path on top of the stack; its arguments come next.
    void pushFile(const std::string& path);

protected:
    int_type underflow() override;

private:
    static constexpr std::size_t kPutback = 4;
    static constexpr std::size_t kData = 6;

    C_ArgsSourceStack& stack_;
    int encoding_;
    std::string current_; // the current argument and its newline
    std::size_t position_ = 0;
    char area_[kPutback + kData];
};
