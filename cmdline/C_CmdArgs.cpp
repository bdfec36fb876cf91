// Building, copying and making current the command line of a run.
#include "C_CmdArgs.h"

#include "C_Environment.h"
#include "C_Options.h"
#include "C_Products.h"
#include "QL_Language.h"
#include "U_PathNames.h"

#include <algorithm>

namespace {

U_Handle<C_CmdArgs>& currentArgs()
{
    static U_Handle<C_CmdArgs> args;
    return args;
}


// Fixes the run encoding from the product's language; the "always-first" debug keyword makes every
// later query compute it afresh.
void fixRunEncoding(const C_Product& product)
{
    const std::string name = product.name;
    std::string bin;
    environmentValue(product.binVariable, bin);
    bin = toForwardSlashes(bin);
    setRunEncoding(
        languageEncoding(name, bin), [] { return hasDebugKeyword("always-first"); },
        [name, bin] { return languageEncoding(name, bin); });
}

} // namespace

int C_CmdArgs::lookUpProduct(const std::string& productName)
{
    std::string name = productName.substr(0, 9);
    std::replace(name.begin(), name.end(), '+', 'P');
    for (int i = 0; i < kProductCount; ++i)
        if (equalsIgnoreCase(name, productAt(i)->name))
            return i;
    return -1;
}

C_CmdArgs::C_CmdArgs(const std::string& productName, const std::vector<std::string>& arguments)
    : productName_(productName), productIndex_(lookUpProduct(productName))
{
    const C_Product* found = product();
    if (!found)
        return;
    fixRunEncoding(*found);
    options_ = U_Handle<C_Options>(new C_Options(*this));
    arguments_ = arguments;
}

C_CmdArgs::C_CmdArgs(const std::string& productName, int count, const char* const* arguments)
    : C_CmdArgs(productName, std::vector<std::string>(arguments, arguments + std::max(count, 0)))
{
}

C_CmdArgs::C_CmdArgs(const C_CmdArgs& other)
    : U_Ref(other),
      arguments_(other.arguments_),
      productName_(other.productName_),
      productIndex_(other.productIndex_),
      parsed_(other.parsed_),
      processed_(other.processed_)
{
    if (other.options_) {
        options_ = U_Handle<C_Options>(new C_Options(*other.options_));
        options_->setOwner(this);
    }
}

C_CmdArgs::~C_CmdArgs() = default;

const C_Product* C_CmdArgs::product() const
{
    return productAt(productIndex_);
}

void C_CmdArgs::makeCurrent() const
{
    currentArgs() = U_Handle<C_CmdArgs>(new C_CmdArgs(*this));
    currentIndexSlot() = productIndex_;
}

int& C_CmdArgs::currentIndexSlot()
{
    static int index = -1;
    return index;
}

U_Handle<C_CmdArgs> C_CmdArgs::current()
{
    return currentArgs();
}

int C_CmdArgs::currentProductIndex()
{
    return currentIndexSlot();
}

void C_CmdArgs::clearCurrent()
{
    currentArgs().reset();
    currentIndexSlot() = -1;
}
