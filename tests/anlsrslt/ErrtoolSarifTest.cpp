// errtool sarif: URIs, suppression kinds and the diagnostics a record does or does not cover.
#include "ErrtoolDescription.h"
#include "ErrtoolSarif.h"
#include "ErrtoolTable.h"

#include "C_CmdArgs.h"
#include "M_InputBonnie.h"
#include "U_JsonValue.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrtoolSarifTest, fileUrisArePercentEncodedAndKeepTheDrive)
{
    EXPECT_EQ(errtool::fileUri("/s/a.c"), "file:///s/a.c");
    EXPECT_EQ(errtool::fileUri("/s/my dir/a#1.c"), "file:///s/my%20dir/a%231.c");
    EXPECT_EQ(errtool::fileUri("C:/Src/a.c"), "file:///C:/Src/a.c");
    EXPECT_EQ(errtool::fileUri("C:\\Src\\\xc3\xa9.c"), "file:///C:/Src/%C3%A9.c");
    EXPECT_EQ(errtool::fileUri("//server/share/a b.c"), "file://server/share/a%20b.c");
    EXPECT_EQ(errtool::fileUri("\\\\server\\share\\a.c"), "file://server/share/a.c");
    EXPECT_EQ(errtool::fileUri("rel/a:b.c"), "rel/a%3Ab.c"); // a relative reference cannot hold a colon
}

// Pragma, user, a kind-1 record, a kind-2 record at its exact position, a fourth-flag diagnostic
// under a record, and one that nothing hides.
TEST(ErrtoolSarifTest, suppressionKindsFollowPragmaUserAndRecords)
{
    C_CmdArgs command("VELCPP", std::vector<std::string>{});
    command.makeCurrent();
    const std::string bytes = errtool::buildErrorFile(
        "file A /s/a.c a.c\nloc L1 A 1 1\nloc L2 A 2 1\nloc L3 A 3 5\nloc L4 A 4 1\nloc L5 A 5 1\nloc L6 A 6 1\nblock\n"
        "diag L1 10 pragma\nend\ndiag L2 10 user\nend\ndiag L3 10\nend\ndiag L4 10 fourth\nend\n"
        "diag L5 10\nend\ndiag L6 20\nend\n"
        "supp 1 L3 \"reviewed by QA\" L3 - 10 10\nsupp 1 L4 Auto L4 - 10 10\nsupp 2 L5 kind2 L5 - 10 10\n");
    const auto reader = M_InputBonnie::readBytes(bytes, "/s/a.c");
    ASSERT_TRUE(reader);
    const U_JsonValue log = U_JsonValue::parse(errtool::sarifLog({{"a.err", reader.get()}}, ""));
    const auto& results = log.find("runs")->items().at(0).find("results")->items();
    ASSERT_EQ(results.size(), 6u);
    const auto suppression = [&](std::size_t i) -> std::string {
        const U_JsonValue* list = results[i].find("suppressions");
        if (!list)
            return "-";
        const U_JsonValue& first = list->items().at(0);
        const U_JsonValue* properties = first.find("properties");
        return first.stringAt("kind") + "/" + first.stringAt("justification") + "/" +
               (properties ? properties->stringAt("hiddenBy") : "");
    };
    EXPECT_EQ(suppression(0), "inSource//pragma");
    EXPECT_EQ(suppression(1), "external//user");
    EXPECT_EQ(suppression(2), "external/reviewed by QA/");
    EXPECT_EQ(suppression(3), "-"); // the fourth flag: never counted as suppressed
    EXPECT_EQ(suppression(4), "external/kind2/");
    EXPECT_EQ(suppression(5), "-");
    const U_JsonValue& region =
        *results[2].find("locations")->items().at(0).find("physicalLocation")->find("region");
    EXPECT_EQ(region.integerAt("startLine"), 3);
    EXPECT_EQ(region.integerAt("startColumn"), 5);
    EXPECT_EQ(results[5].stringAt("ruleId"), "20");
    EXPECT_EQ(results[5].integerAt("ruleIndex"), 1);
}

TEST(ErrtoolTableTest, alignsNumbersRightAndTextLeftWithoutTrailingBlanks)
{
    errtool::TextTable table({{"hits", true}, {"rule", false}, {"text", false}});
    table.addRow({"2", "a.txt:1", "x"});
    table.addRow({"10", "long.txt:12", "\xc3\xa9t\xc3\xa9"});
    EXPECT_EQ(table.text(), "  hits  rule         text\n"
                            "     2  a.txt:1      x\n"
                            "    10  long.txt:12  \xc3\xa9t\xc3\xa9\n");
}

} // namespace
