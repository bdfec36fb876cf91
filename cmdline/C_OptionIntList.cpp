// The number-list rule: single numbers and ranges, separated by any single non-digit.
#include "C_OptionIntList.h"

#include "C_Messages.h"
#include "C_OptionInt.h"
#include "U_StandardStreams.h"

#include <algorithm>
#include <ostream>
#include <utility>

namespace {
const char* const kDigits = "0123456789";
}

std::string C_OptionIntList::valueText() const
{
    std::string text;
    for (std::size_t i = 0; i < value_.size();) {
        std::size_t last = i;
        while (last + 1 < value_.size() && std::int64_t(value_[last + 1]) == std::int64_t(value_[last]) + 1)
            ++last;
        if (!text.empty())
            text += ' ';
        text += std::to_string(value_[i]);
        if (last != i)
            text += '-' + std::to_string(value_[last]);
        i = last + 1;
    }
    return text;
}

void C_OptionIntList::reset()
{
    value_.clear();
    cache_.drop();
}

bool C_OptionIntList::parse(std::istream& in, bool)
{
    appendNumbers(readValueText(in));
    return true;
}

void C_OptionIntList::appendNumbers(const std::string& valueText)
{
    cache_.drop();
    std::string text = valueText;
    while (!text.empty()) {
        const std::size_t p = text.find_first_not_of(kDigits);
        if (p == std::string::npos || text[p] != '-') {
            value_.push_back(C_OptionInt::readNumber(text.substr(0, p)));
            text.erase(0, p == std::string::npos ? text.size() : p);
        } else {
            std::int64_t low = C_OptionInt::readNumber(text.substr(0, p));
            const std::size_t q = text.find_first_not_of(kDigits, p + 1);
            const std::size_t highEnd = q == std::string::npos ? text.size() : q;
            std::int64_t high = C_OptionInt::readNumber(text.substr(p + 1, highEnd - (p + 1)));
            if (high < low)
                std::swap(low, high);
            if (high - low > kMaxRangeSpan) {
                standardError() << cmdmsg::kRangeTooLarge << low << '-' << high << cmdmsg::kRangeTooLargeEnd
                          << cmdmsg::kRangeTruncated << low << '-' << (low + kMaxRangeLength - 1)
                          << cmdmsg::kRangeTruncatedEnd << std::endl;
                high = low + kMaxRangeLength - 1;
            }
            // 64-bit bounds, so a range ending at the largest 32-bit number still stops.
            for (std::int64_t n = low; n <= high; ++n)
                value_.push_back(std::int32_t(n));
            text.erase(0, highEnd);
        }
        if (text.empty())
            break;
        text.erase(0, 1);
    }
}

bool C_OptionIntList::contains(std::int32_t number) const
{
    return std::find(value_.begin(), value_.end(), number) != value_.end();
}

const char* const* C_OptionIntList::charArray() const
{
    return cache_.get([this] {
        std::vector<std::string> items;
        for (std::int32_t n : value_)
            items.push_back(std::to_string(n));
        return items;
    });
}
