// The option registry, the four alias tables and the longest-prefix lookup.
#include "C_AliasTable.h"
#include "C_Options.h"
#include "C_Products.h"
#include "CmdlineTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr int kVelcpp = 0;
constexpr int kVelc = 1;
constexpr int kVeld = 2;
constexpr int kVelj = 3;

C_OptionBase* lookUp(C_Options& options, const std::string& text, std::size_t* length = nullptr)
{
    const C_OptionMatch match = findOption(options, text);
    if (length)
        *length = match.length;
    return match.option;
}

TEST(C_ProductTableTest, productsInTableOrderWithTheirVariablesAndRowCounts)
{
    const C_Product* table = productTable();
    EXPECT_STREQ(table[0].name, "VELCPP");
    EXPECT_EQ(table[0].bit, 2);
    EXPECT_STREQ(table[0].binVariable, "VELCPPBIN");
    EXPECT_STREQ(table[0].outpathVariable, "VELCPPOUTPATH");
    EXPECT_STREQ(table[0].tempfilesVariable, "VELCPPTEMPFILES");
    EXPECT_STREQ(table[0].lowerName, "velcpp");
    EXPECT_STREQ(table[1].name, "VELC");
    EXPECT_EQ(table[1].bit, 1);
    EXPECT_STREQ(table[2].name, "VELD");
    EXPECT_EQ(table[2].bit, 16);
    EXPECT_STREQ(table[3].name, "VELJ");
    EXPECT_EQ(table[3].bit, 4);
    EXPECT_EQ(table[4].bit, 0);

    EXPECT_EQ(table[0].aliasRowCount(), 224u);
    EXPECT_EQ(table[1].aliasRowCount(), 166u);
    EXPECT_EQ(table[2].aliasRowCount(), 103u);
    EXPECT_EQ(table[3].aliasRowCount(), 107u);
}

TEST(C_AliasTableTest, rowsAreSortedByAliasAndUnique)
{
    for (int i = 0; i < kProductCount; ++i) {
        const C_AliasTable& table = productAt(i)->aliasTable();
        for (std::size_t r = 1; r < table.size(); ++r)
            EXPECT_LT(table[r - 1].alias, table[r].alias) << productAt(i)->name;
    }
}

TEST(C_AliasTableTest, everyAliasReachesItsOptionInEveryProductThatSupportsIt)
{
    for (int i = 0; i < kProductCount; ++i) {
        C_Options options(i);
        const int bit = productAt(i)->bit;
        for (const C_OptionAliases& option : optionAliases()) {
            std::vector<std::string> names = option.aliases;
            names.push_back(option.name);
            for (const std::string& alias : names) {
                C_OptionBase* found = lookUp(options, alias);
                if (option.products & bit) {
                    ASSERT_NE(found, nullptr) << alias << " in " << productAt(i)->name;
                    EXPECT_EQ(found->name(), option.name) << alias << " in " << productAt(i)->name;
                } else if (found) {
                    // An unsupported option's name may only be read as a shorter alias of another.
                    EXPECT_NE(found->name(), option.name) << alias << " in " << productAt(i)->name;
                }
            }
        }
    }
}

TEST(C_OptionsTest, registryHolds145OptionsInAlphabeticalOrder)
{
    const std::vector<C_OptionAliases>& all = optionAliases();
    ASSERT_EQ(all.size(), 145u);
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LT(std::string(all[i - 1].name), std::string(all[i].name));
    // Every registered name reaches a member of that name in a product that has it.
    for (const C_OptionAliases& option : all) {
        for (int i = 0; i < kProductCount; ++i) {
            if (!(option.products & productAt(i)->bit))
                continue;
            C_Options options(i);
            for (const C_AliasRow& row : productAt(i)->aliasTable()) {
                if (row.alias == option.name) {
                    EXPECT_EQ(row.select(options).name(), option.name);
                }
            }
            break;
        }
    }
}

TEST(C_AliasTableTest, outputPathWithAttachedDriveValue)
{
    C_Options options(kVelcpp);
    std::size_t length = 0;
    EXPECT_EQ(lookUp(options, "opD:/x", &length), &options.outputpath());
    EXPECT_EQ(length, 2u);
    EXPECT_EQ(lookUp(options, "op", &length), &options.outputpath());
    EXPECT_EQ(lookUp(options, "outputpath", &length), &options.outputpath());
    EXPECT_EQ(length, 10u);
    EXPECT_EQ(lookUp(options, "o"), &options.only());
    EXPECT_EQ(lookUp(options, "OP"), &options.outputpath()); // case is ignored

    cmdtest::applyArgument(options, "-opD:/x");
    EXPECT_EQ(options.outputpath().value(), "D:/x");
}

TEST(C_AliasTableTest, namelengthIsNomsgInVelcppAndItsOwnOptionInVelc)
{
    C_Options cpp(kVelcpp);
    std::size_t length = 0;
    EXPECT_EQ(lookUp(cpp, "namelength", &length), &cpp.nomsg());
    EXPECT_EQ(length, 1u);
    cmdtest::applyArgument(cpp, "-namelength");
    EXPECT_EQ(cpp.nomsg().value(), std::vector<std::int32_t>(9, 0)); // "amelength": nine zeros

    C_Options c(kVelc);
    EXPECT_EQ(lookUp(c, "namelength"), &c.namelength());
    cmdtest::applyArgument(c, "-namelength", "40");
    EXPECT_EQ(c.namelength().value(), 40);
}

TEST(C_AliasTableTest, everyProductAcceptsTheToolsOwnOptions)
{
    for (int i = 0; i < kProductCount; ++i) {
        C_Options options(i);
        EXPECT_EQ(lookUp(options, "via"), &options.via());
        EXPECT_EQ(lookUp(options, "list"), &options.list());
        EXPECT_EQ(lookUp(options, "forget"), &options.forgetall());
        EXPECT_EQ(lookUp(options, "echo"), &options.echo());
        EXPECT_EQ(lookUp(options, "po"), &options.prodoption());
        EXPECT_EQ(lookUp(options, "op"), &options.outputpath());
    }
}

TEST(C_AliasTableTest, unknownTextsFindNothing)
{
    C_Options options(kVeld);
    EXPECT_EQ(lookUp(options, ""), nullptr);
    EXPECT_EQ(lookUp(options, "xyz"), nullptr);
    EXPECT_EQ(lookUp(options, "9"), nullptr);
    EXPECT_EQ(lookUp(options, "pluginpath"), &options.pluginpath());
    C_Options j(kVelj);
    EXPECT_EQ(lookUp(j, "pluginpath"), nullptr); // a VELD option
}

} // namespace
