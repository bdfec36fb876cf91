// Reading and showing a file-name-list option.
#include "C_OptionFilenameList.h"

#include "C_CmdArgs.h"
#include "C_Options.h"
#include "QL_Convert.h"
#include "QL_Language.h"
#include "U_PathNames.h"

std::string C_OptionFilenameList::render(bool fullPaths) const
{
    std::string text;
    for (const QL_Filename& item : value_)
        text += toOutput(fullPaths ? item.fullPath : item.given, runEncoding()) + ", ";
    return text;
}

std::string C_OptionFilenameList::valueText() const
{
    const U_Handle<C_CmdArgs> current = C_CmdArgs::current();
    if (!current || !current->options())
        return render(true);
    return valueText(*current);
}

std::string C_OptionFilenameList::valueText(const C_CmdArgs& form) const
{
    const bool fullPaths = !form.options() || form.options()->expandfilenames().value();
    return render(fullPaths);
}

void C_OptionFilenameList::reset()
{
    value_.clear();
    cache_.drop();
}

bool C_OptionFilenameList::parse(std::istream& in, bool)
{
    cache_.drop();
    const std::string given = toForwardSlashes(toInternal(readValueText(in), runEncoding()));
    value_.push_back(QL_Filename{fullPath(given), given});
    return true;
}

const char* const* C_OptionFilenameList::charArray() const
{
    return cache_.get([this] {
        std::vector<std::string> items;
        for (const QL_Filename& item : value_)
            items.push_back(item.fullPath);
        return items;
    });
}
