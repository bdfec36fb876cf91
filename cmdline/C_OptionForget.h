// An option that returns another option, named by its value, to its constructed state.
#pragma once

#include "C_OptionBase.h"

class C_Options;

class C_OptionForget : public C_OptionBase {
public:
    struct NoDefault {};
    explicit C_OptionForget(std::string name, NoDefault = {}) : C_OptionBase(std::move(name)) {}

    std::string valueText() const override { return {}; }
    bool parse(std::istream& in, bool attached) override;

    // The registry whose options it forgets.
    void bind(C_Options* registry) { registry_ = registry; }

private:
    C_Options* registry_ = nullptr;
};
