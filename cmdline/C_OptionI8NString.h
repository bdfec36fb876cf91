// A text option held in the internal encoding and shown in the output encoding.
#pragma once

#include "C_OptionBase.h"

class C_OptionI8NString : public C_OptionBase {
public:
    C_OptionI8NString(std::string name, std::string defaultValue = {})
        : C_OptionBase(std::move(name)), value_(defaultValue), default_(std::move(defaultValue))
    {
    }

    std::string valueText() const override;
    void reset() override { value_ = default_; }
    bool parse(std::istream& in, bool attached) override;

    const std::string& value() const { return value_; }

private:
    std::string value_;
    std::string default_;
};
