// A list of file names, each kept as its canonical full path and as written.
#pragma once

#include "C_CharArray.h"
#include "C_OptionBase.h"
#include "QL_Filename.h"

#include <vector>

class C_CmdArgs;

class C_OptionFilenameList : public C_OptionBase {
public:
    struct NoDefault {};
    explicit C_OptionFilenameList(std::string name, NoDefault = {}) : C_OptionBase(std::move(name)) {}

    // Shown in the form the current run's "expandfilenames" chooses.
    std::string valueText() const override;
    void reset() override;
    bool parse(std::istream& in, bool attached) override;
    // Every item as its full path when the run's "expandfilenames" is true, as written otherwise,
    // in the output encoding, each followed by ", ".
    virtual std::string valueText(const C_CmdArgs& form) const;

    const std::vector<QL_Filename>& value() const { return value_; }
    // The full paths ended by a null pointer; valid until the list changes.
    const char* const* charArray() const;

private:
    std::string render(bool fullPaths) const;

    std::vector<QL_Filename> value_;
    C_CharArrayCache cache_;
};
