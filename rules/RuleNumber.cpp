// Number fields and blank lines of rules files.
#include "RuleNumber.h"

#include <limits>

std::int32_t ruleNumber(const std::string& text)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > kMax)
            return static_cast<std::int32_t>(kMax);
    }
    return static_cast<std::int32_t>(value);
}

bool isBlankLine(const std::string& line)
{
    return line.find_first_not_of(' ') == std::string::npos;
}
