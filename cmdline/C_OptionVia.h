// An option that names a via file: a file of further arguments, read where it is named.
#pragma once

#include "C_OptionBase.h"

class C_Options;

class C_OptionVia : public C_OptionBase {
public:
    struct NoDefault {};
    explicit C_OptionVia(std::string name, NoDefault = {}) : C_OptionBase(std::move(name)) {}

    std::string valueText() const override { return {}; }
    bool parse(std::istream& in, bool attached) override;

    // The registry whose command line reads the via files.
    void bind(C_Options* registry) { registry_ = registry; }

private:
    C_Options* registry_ = nullptr;
};
