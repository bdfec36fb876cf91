// A text option, taken as written.
#pragma once

#include "C_OptionBase.h"

class C_OptionString : public C_OptionBase {
public:
    C_OptionString(std::string name, std::string defaultValue = {})
        : C_OptionBase(std::move(name)), value_(defaultValue), default_(std::move(defaultValue))
    {
    }

    std::string valueText() const override { return value_; }
    void reset() override { value_ = default_; }
    bool parse(std::istream& in, bool) override
    {
        value_ = readValueText(in);
        return true;
    }

    const std::string& value() const { return value_; }

private:
    std::string value_;
    std::string default_;
};
