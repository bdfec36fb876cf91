// A list of texts; every occurrence of the option appends one.
#pragma once

#include "C_CharArray.h"
#include "C_OptionBase.h"

#include <vector>

class C_OptionStringList : public C_OptionBase {
public:
    struct NoDefault {};
    explicit C_OptionStringList(std::string name, NoDefault = {}) : C_OptionBase(std::move(name)) {}

    // Every item followed by ", ", the last one too.
    std::string valueText() const override;
    void reset() override;
    bool parse(std::istream& in, bool attached) override;

    const std::vector<std::string>& value() const { return value_; }
    bool contains(const std::string& item) const;
    // The items ended by a null pointer; valid until the list changes.
    const char* const* charArray() const;

private:
    std::vector<std::string> value_;
    C_CharArrayCache cache_;
};
