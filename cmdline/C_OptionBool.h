// An on/off option: "-name" or "-name+" switches it on, "-name-" off.
#pragma once

#include "C_OptionBase.h"

class C_OptionBool : public C_OptionBase {
public:
    C_OptionBool(std::string name, bool defaultValue)
        : C_OptionBase(std::move(name)), value_(defaultValue), default_(defaultValue)
    {
    }

    std::string valueText() const override { return value_ ? "+ (on)" : "- (off)"; }
    void reset() override { value_ = default_; }
    bool parse(std::istream& in, bool attached) override;

    const bool& value() const { return value_; }
    const bool& defaultValue() const { return default_; }

private:
    bool value_;
    bool default_;
};
