// Reading and showing a text-list option.
#include "C_OptionStringList.h"

#include <algorithm>

std::string C_OptionStringList::valueText() const
{
    std::string text;
    for (const std::string& item : value_)
        text += item + ", ";
    return text;
}

void C_OptionStringList::reset()
{
    value_.clear();
    cache_.drop();
}

bool C_OptionStringList::parse(std::istream& in, bool)
{
    cache_.drop();
    value_.push_back(readValueText(in));
    return true;
}

bool C_OptionStringList::contains(const std::string& item) const
{
    return std::find(value_.begin(), value_.end(), item) != value_.end();
}

const char* const* C_OptionStringList::charArray() const
{
    return cache_.get([this] { return value_; });
}
