// A list of message numbers: "1,3-5 9" adds 1, 3, 4, 5 and 9; repeated options add to the list.
#pragma once

#include "C_CharArray.h"
#include "C_OptionBase.h"

#include <cstdint>
#include <vector>

class C_OptionIntList : public C_OptionBase {
public:
    struct NoDefault {};
    explicit C_OptionIntList(std::string name, NoDefault = {}) : C_OptionBase(std::move(name)) {}

    // Runs of consecutive ascending numbers as "a-b", others alone, separated by " ".
    std::string valueText() const override;
    void reset() override;
    bool parse(std::istream& in, bool attached) override;

    const std::vector<std::int32_t>& value() const { return value_; }
    bool contains(std::int32_t number) const;
    // The list as decimal strings, ended by a null pointer; valid until the list changes.
    const char* const* charArray() const;

    // Appends the numbers of one value text by the number-list rule.
    void appendNumbers(const std::string& text);

    // The longest range taken whole: a wider one is cut to its first kMaxRangeLength numbers.
    static constexpr std::int64_t kMaxRangeSpan = 20000;
    static constexpr std::int64_t kMaxRangeLength = 20000;

private:
    std::vector<std::int32_t> value_;
    C_CharArrayCache cache_;
};
