// The command-line arguments as an argument source.
#pragma once

#include "C_ArgsSource.h"

#include <vector>

class C_ArgvSource : public C_ArgsSource {
public:
    explicit C_ArgvSource(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

    // The next stored argument; "" after the last (an empty argument therefore ends the source).
    std::string nextArgument(bool) override
    {
        return position_ < arguments_.size() ? arguments_[position_++] : std::string();
    }

private:
    std::vector<std::string> arguments_;
    std::size_t position_ = 0;
};
