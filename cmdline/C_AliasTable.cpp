// The alias tables, built from the option table, and the longest-prefix lookup.
#include "C_AliasTable.h"

#include "C_Options.h"
#include "C_Products.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

// Product masks of the option table.
namespace reach {
constexpr int C = C_Product::kVelc;
constexpr int CPP = C_Product::kVelcpp;
constexpr int J = C_Product::kVelj;
constexpr int D = C_Product::kVeld;
constexpr int C_CPP = C | CPP;
constexpr int ALL = C | CPP | J | D;
} // namespace reach

struct OptionRow {
    const char* name;
    const char* aliases;
    int products;
    C_OptionBase& (*select)(C_Options&);
};

const OptionRow kOptions[] = {
#define ZEMB_OPTION(kind, accessor, name, def, products, aliases)                                        \
    {name, aliases, reach::products, [](C_Options& o) -> C_OptionBase& { return o.accessor(); }},
#include "C_OptionTable.def"
#undef ZEMB_OPTION
};

// Calls the function with each word of an alias list, separated by white space.
template <class Function>
void forEachAlias(const char* aliases, Function&& function)
{
    const char* at = aliases;
    while (*at) {
        while (*at && std::isspace(static_cast<unsigned char>(*at)))
            ++at;
        const char* start = at;
        while (*at && !std::isspace(static_cast<unsigned char>(*at)))
            ++at;
        if (at != start)
            function(std::string_view(start, static_cast<std::size_t>(at - start)));
    }
}

C_AliasTable buildTable(int productBit)
{
    C_AliasTable table;
    table.reserve(2 * std::size(kOptions));
    for (const OptionRow& row : kOptions) {
        if (!(row.products & productBit))
            continue;
        table.push_back({row.name, row.select});
        forEachAlias(row.aliases, [&](std::string_view alias) { table.push_back({alias, row.select}); });
    }
    std::stable_sort(table.begin(), table.end(),
                     [](const C_AliasRow& a, const C_AliasRow& b) { return a.alias < b.alias; });
    return table;
}

char lower(char c)
{
    return char(std::tolower(static_cast<unsigned char>(c)));
}

bool isPrefixIgnoreCase(std::string_view prefix, const std::string& text)
{
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(prefix[i]) != lower(text[i]))
            return false;
    return true;
}

// The product's table, built when first asked for: a run needs only its own product's.
template <int ProductBit>
const C_AliasTable& builtTable()
{
    static const C_AliasTable table = buildTable(ProductBit);
    return table;
}

} // namespace

const C_AliasTable& aliasTableOf(int productBit)
{
    static const C_AliasTable none;
    switch (productBit) {
    case reach::C:
        return builtTable<reach::C>();
    case reach::CPP:
        return builtTable<reach::CPP>();
    case reach::J:
        return builtTable<reach::J>();
    case reach::D:
        return builtTable<reach::D>();
    default:
        return none;
    }
}

const std::vector<C_OptionAliases>& optionAliases()
{
    static const std::vector<C_OptionAliases> all = [] {
        std::vector<C_OptionAliases> result;
        for (const OptionRow& row : kOptions) {
            std::vector<std::string> aliases;
            forEachAlias(row.aliases, [&](std::string_view alias) { aliases.emplace_back(alias); });
            result.push_back({row.name, std::move(aliases), row.products});
        }
        return result;
    }();
    return all;
}

C_OptionMatch findOption(C_Options& options, const C_AliasTable& table, const std::string& text)
{
    C_OptionMatch match;
    if (text.empty())
        return match;
    const char first = lower(text[0]);
    // Aliases are lower case, so the rows of the first letter start where that letter sorts.
    auto row = std::lower_bound(table.begin(), table.end(), first,
                                [](const C_AliasRow& r, char c) { return !r.alias.empty() && r.alias[0] < c; });
    const C_AliasRow* best = nullptr;
    for (; row != table.end() && !row->alias.empty() && row->alias[0] == first; ++row) {
        if (isPrefixIgnoreCase(row->alias, text) && (!best || row->alias.size() > best->alias.size()))
            best = &*row;
    }
    if (best) {
        match.option = &best->select(options);
        match.length = best->alias.size();
    }
    return match;
}

C_OptionMatch findOption(C_Options& options, const std::string& text)
{
    const C_Product* product = productAt(options.productIndex());
    if (!product)
        return {};
    return findOption(options, aliasTableOf(product->bit), text);
}
