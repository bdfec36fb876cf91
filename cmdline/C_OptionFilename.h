// A file-name option: internal encoding, "/" separators.
#pragma once

#include "C_OptionBase.h"

class C_OptionFilename : public C_OptionBase {
public:
    C_OptionFilename(std::string name, std::string defaultValue = {});

    std::string valueText() const override;
    void reset() override;
    bool parse(std::istream& in, bool attached) override;

    const std::string& value() const { return value_; }

private:
    std::string value_;
    std::string default_;
};
