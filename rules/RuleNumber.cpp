// Number fields and blank lines of rules files.
#include "RuleNumber.h"

#include <limits>
#include <string_view>

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

namespace {

// Whether the leading digits are beyond the 32-bit range (and so read as its largest value).
bool isTooLarge(std::string_view digits)
{
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos)
        return false;
    const std::string_view significant = digits.substr(first);
    return significant.size() > 10 || (significant.size() == 10 && significant > "2147483647");
}

void warnAboutField(const std::string& field, const char* name, std::string& warnings)
{
    const std::int32_t value = ruleNumber(field);
    const std::size_t digits = field.find_first_not_of("0123456789");
    std::string warning;
    if (digits == 0)
        warning = "the " + std::string(name) + " \"" + field + "\" is not a number";
    else if (isTooLarge(std::string_view(field).substr(0, digits)))
        warning = "the " + std::string(name) + " \"" + field + "\" is too large";
    else if (digits != std::string::npos)
        warning = "the " + std::string(name) + " \"" + field + "\" has text after its digits";
    else if (value == 0)
        warning = "the " + std::string(name) + " is 0";
    if (warning.empty())
        return;
    warnings += (warnings.empty() ? "" : "; ") + warning + ": it reads as " + std::to_string(value);
}

} // namespace

std::string ruleFieldWarnings(const std::string& messageNumber, const std::string* position, const std::string& pattern)
{
    std::string warnings;
    warnAboutField(messageNumber, "message number", warnings);
    if (position)
        warnAboutField(*position, "position", warnings);
    if (!pattern.empty() && (pattern.back() == ' ' || pattern.back() == '\t'))
        warnings += std::string(warnings.empty() ? "" : "; ") + "the pattern ends with a " +
                    (pattern.back() == ' ' ? "blank" : "tab") + ", which it must match";
    return warnings;
}

bool isBlankLine(const std::string& line)
{
    return line.find_first_not_of(' ') == std::string::npos;
}
