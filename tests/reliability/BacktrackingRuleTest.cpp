// A rule whose pattern backtracks catastrophically on a long source line cannot hang the build.
#include "ToolSandbox.h"

#include <gtest/gtest.h>

namespace reltest {
namespace {

TEST(BacktrackingRuleTest, catastrophicPatternOnLongLineEndsInBoundedTimeAndCountsAsNoMatch)
{
    ToolSandbox box;
    box.source("a.cpp", std::string(30000, 'a') + "!\nok_line();\n");
    const std::string errorPath =
        box.errorFile("a.cpp", "loc L1 S 1 1\nloc L2 S 2 1\nblock\ndiag L1 100\nend\ndiag L2 200\nend\n"
                               "diag L1 300\nend\n");
    // 300 proves that the whole long line is what the patterns of 100 are matched against.
    box.messageRules("100 (a+)+$\n100 ^(a|aa|aaa)*$\n100 ^(\\w+\\s?)*$\n100 (?:a*)*b\n200 ^ok_line\n"
                     "300 ^a{30000}!$\n");
    box.parameterRules("");

    ChildOptions options = box.childOptions();
    options.outputPath = box.path("run.txt");
    // The limit here only keeps a regression from hanging the suite; the matching limits end each
    // test within a second or so.
    const int status = waitForChild(startChild(box.toolCommand({"a.cpp"}), options), 240);
    ASSERT_NE(status, -1) << "the run did not end";
    EXPECT_EQ(status, 0) << testsupport::readBytes(options.outputPath);

    // Only 200 and 300 are suppressed: the patterns that ran out of their limits matched nothing.
    const auto blocks = suppressionsPerBlock(errorPath);
    ASSERT_TRUE(blocks);
    EXPECT_EQ(*blocks, (std::vector<std::size_t>{0, 0, 2}));
}

} // namespace
} // namespace reltest
