// An option that prints its value on standard output.
#pragma once

#include "C_OptionBase.h"

class C_OptionEcho : public C_OptionBase {
public:
    struct NoDefault {};
    explicit C_OptionEcho(std::string name, NoDefault = {}) : C_OptionBase(std::move(name)) {}

    std::string valueText() const override { return {}; }
    bool parse(std::istream& in, bool attached) override;
};
