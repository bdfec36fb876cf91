// Building and copying the option registry from the option table.
#include "C_Options.h"

#include "C_CmdArgs.h"

C_Options::C_Options(C_CmdArgs& owner)
    : C_Options(owner.productIndex())
{
    owner_ = &owner;
}

C_Options::C_Options(int productIndex)
    : productIndex_(productIndex)
#define ZEMB_OPTION(kind, accessor, name, def, products, aliases) , accessor##_(name, def)
#include "C_OptionTable.def"
#undef ZEMB_OPTION
{
    bindOptions();
}

C_Options::C_Options(const C_Options& other)
    : U_Ref(other), owner_(other.owner_), productIndex_(other.productIndex_)
#define ZEMB_OPTION(kind, accessor, name, def, products, aliases) , accessor##_(other.accessor##_)
#include "C_OptionTable.def"
#undef ZEMB_OPTION
{
    bindOptions();
}

C_Options::~C_Options() = default;

void C_Options::bindOptions()
{
    forgetall_.bind(this);
    via_.bind(this);
    list_.bind(this);
}

bool hasDebugKeyword(const std::string& keyword)
{
    const U_Handle<C_CmdArgs> current = C_CmdArgs::current();
    return current && current->options() && current->options()->hasDebugKeyword(keyword);
}
