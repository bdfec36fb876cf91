// The per-product alias tables through which option names are looked up, and the lookup itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class C_OptionBase;
class C_Options;

// One row: an alias (lower case) and the accessor of the option it reaches.
struct C_AliasRow {
    std::string_view alias; // in the option table, which lives as long as the program
    C_OptionBase& (*select)(C_Options&);
};

// Rows sorted by alias in byte order, so the rows of one first letter are adjacent.
using C_AliasTable = std::vector<C_AliasRow>;

// The alias table of a product bit (1 VELC, 2 VELCPP, 4 VELJ, 16 VELD): a row for the registered
// name and for each short alias of every option the product supports. Empty for an unknown bit.
const C_AliasTable& aliasTableOf(int productBit);

// The registered name of every option and its short aliases (for checks of the tables).
struct C_OptionAliases {
    const char* name;
    std::vector<std::string> aliases;
    int products; // product bits that reach the option
};
const std::vector<C_OptionAliases>& optionAliases();

struct C_OptionMatch {
    C_OptionBase* option = nullptr;
    std::size_t length = 0; // of the matched alias
    explicit operator bool() const { return option != nullptr; }
};

// The option whose alias is the longest case-insensitive prefix of the text (the argument after
// its "-"), among the rows that start with the text's first letter; the first row wins a tie.
C_OptionMatch findOption(C_Options& options, const C_AliasTable& table, const std::string& text);
// The same through the alias table of the registry's product.
C_OptionMatch findOption(C_Options& options, const std::string& text);
