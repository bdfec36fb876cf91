// A signed 32-bit integer option; text that is no number reads as 0.
#pragma once

#include "C_OptionBase.h"

#include <cstdint>

class C_OptionInt : public C_OptionBase {
public:
    C_OptionInt(std::string name, std::int32_t defaultValue)
        : C_OptionBase(std::move(name)), value_(defaultValue), default_(defaultValue)
    {
    }

    std::string valueText() const override { return std::to_string(value_); }
    void reset() override { value_ = default_; }
    bool parse(std::istream& in, bool attached) override;

    const std::int32_t& value() const { return value_; }

    // A decimal number read the way formatted stream input reads one: white space skipped, an
    // optional sign, digits up to the first non-digit; 0 when the text does not start with a number.
    static std::int32_t readNumber(const std::string& text);

private:
    std::int32_t value_;
    std::int32_t default_;
};
