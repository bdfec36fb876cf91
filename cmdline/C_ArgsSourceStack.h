// The argument sources of a processing run, read last-pushed first.
#pragma once

#include "C_ArgsSource.h"

#include <deque>

class C_ArgsSourceStack {
public:
    explicit C_ArgsSourceStack(bool substitute = true) : substitute_(substitute) {}

    void push(U_Handle<C_ArgsSource> source) { sources_.push_back(std::move(source)); }
    bool empty() const { return sources_.empty(); }
    std::size_t size() const { return sources_.size(); }

    // The next argument of the top source; an exhausted source is popped and the one below asked.
    // "" when every source is exhausted.
    std::string nextArgument()
    {
        while (!sources_.empty()) {
            std::string argument = sources_.back()->nextArgument(substitute_);
            if (!argument.empty())
                return argument;
            sources_.pop_back();
        }
        return {};
    }

private:
    std::deque<U_Handle<C_ArgsSource>> sources_;
    bool substitute_;
};
