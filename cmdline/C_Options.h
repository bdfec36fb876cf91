// The registry of every option of the analyser family, one member object per option.
#pragma once

#include "C_OptionBool.h"
#include "C_OptionEcho.h"
#include "C_OptionFilename.h"
#include "C_OptionFilenameList.h"
#include "C_OptionForget.h"
#include "C_OptionI8NString.h"
#include "C_OptionInt.h"
#include "C_OptionIntList.h"
#include "C_OptionString.h"
#include "C_OptionStringList.h"
#include "C_OptionVia.h"
#include "U_Ref.h"

#include <string>

class C_CmdArgs;

// The registry: 145 options constructed in alphabetical order of registered name (the order of
// C_OptionTable.def). Each option has an accessor named after it ("c++03auto" is cxx03auto, "k+r"
// is kandr); the product's alias table decides which of them its command line reaches.
class C_Options : public U_Ref {
public:
    // The registry of the command line's product (its alias table serves lookups and forget).
    explicit C_Options(C_CmdArgs& owner);
    // A registry for a product index of the product table, without a command line (via files
    // cannot be read through it).
    explicit C_Options(int productIndex);
    // Copies every option: name, given flag, value and default.
    C_Options(const C_Options& other);
    C_Options& operator=(const C_Options&) = delete;
    ~C_Options() override;

#define ZEMB_OPTION(kind, accessor, name, def, products, aliases)                                        \
    C_Option##kind& accessor() { return accessor##_; }                                                    \
    const C_Option##kind& accessor() const { return accessor##_; }
#include "C_OptionTable.def"
#undef ZEMB_OPTION

    // The product index of the registry (into the product table).
    int productIndex() const { return productIndex_; }
    // The command line whose arguments these options hold; null for a free-standing registry.
    C_CmdArgs* owner() const { return owner_; }
    // Re-attaches the registry to the command line that holds it (after copying).
    void setOwner(C_CmdArgs* owner) { owner_ = owner; }

    // True if the "debug" list holds an item equal to the keyword (case-sensitive).
    bool hasDebugKeyword(const std::string& keyword) const { return debug_.contains(keyword); }

private:
    void bindOptions();

    C_CmdArgs* owner_ = nullptr;
    int productIndex_ = -1;

#define ZEMB_OPTION(kind, accessor, name, def, products, aliases) C_Option##kind accessor##_;
#include "C_OptionTable.def"
#undef ZEMB_OPTION
};

// True if the "debug" option of the current run (C_CmdArgs::current) holds the keyword; false when
// there is no current run.
bool hasDebugKeyword(const std::string& keyword);
