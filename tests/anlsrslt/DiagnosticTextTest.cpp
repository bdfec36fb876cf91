// Diagnostic text forms with their display switches, parameter texts and the sort-messages order.
#include "AnlsrsltTestSupport.h"
#include "M_Diagnostic.h"

#include <gtest/gtest.h>

using anltest::CurrentOptions;

namespace {

U_Location at(std::int32_t line, std::int32_t column)
{
    return U_LocationData::create(U_Filename("/src/a.c", "a.c"), line, column);
}

TEST(DiagnosticText, columnZeroPrintsNoColumnAndNoParametersNoBraces)
{
    CurrentOptions options;
    EXPECT_EQ("/src/a.c:12: Msg=3000 #params=0", M_Diagnostic(3000, at(12, 0)).text());
    EXPECT_EQ("/src/a.c:12:3: Msg=3000 #params=0", M_Diagnostic(3000, at(12, 3)).text());
}

TEST(DiagnosticText, nullLocationPrintsNofile)
{
    CurrentOptions options;
    M_Diagnostic d(17);
    d.addStringParameter("x");
    EXPECT_EQ("nofile.cc:0: Msg=17 #params=1 {x}", d.text());
    options.debug("showInclLoc");
    EXPECT_EQ("nofile.cc:0: Msg=17 #params=1 {x}", d.text());
}

TEST(DiagnosticText, parametersOfEveryKind)
{
    CurrentOptions options;
    M_Diagnostic d(1, at(1, 1));
    d.addStringParameter("s");
    d.addListParameter({"a", "b"});
    d.addListParameter({});
    std::vector<M_DiagnosticHandle> nested{M_DiagnosticHandle(new M_Diagnostic(2, at(2, 0))),
                                           M_DiagnosticHandle(new M_Diagnostic(3, at(3, 0)))};
    d.addMessageListParameter(nested);
    d.addMessageListParameter({});
    EXPECT_EQ("/src/a.c:1:1: Msg=1 #params=5 {s, List={a,b}, List={}, "
              "MsgList={/src/a.c:2: Msg=2 #params=0 ; /src/a.c:3: Msg=3 #params=0}, MsgList={}}",
              d.text());
}

TEST(DiagnosticText, hiddenFlagsPrintPragmaThenUser)
{
    CurrentOptions options;
    M_Diagnostic both(5, at(1, 0));
    both.setFlags(true, true, true, false);
    EXPECT_EQ("/src/a.c:1: Msg=5 #params=0 hidden by pragma, user", both.text());
    M_Diagnostic user(5, at(1, 0));
    user.setFlags(false, true, true, false);
    EXPECT_EQ("/src/a.c:1: Msg=5 #params=0 hidden by user", user.text());
    M_Diagnostic pragma(5, at(1, 0));
    pragma.setFlags(true, false, true, false);
    EXPECT_EQ("/src/a.c:1: Msg=5 #params=0 hidden by pragma", pragma.text());
}

TEST(DiagnosticText, expandFilenamesChoosesFullPathOrGivenName)
{
    CurrentOptions options;
    EXPECT_EQ("/src/a.c:4: Msg=9 #params=0", M_Diagnostic(9, at(4, 0)).text());
    options.set(options.options().expandfilenames(), "-");
    EXPECT_EQ("a.c:4: Msg=9 #params=0", M_Diagnostic(9, at(4, 0)).text());
}

TEST(DiagnosticText, presumedPositionReplacesFileAndLine)
{
    CurrentOptions options;
    const U_Location l = at(4, 2)->withPresumedPosition(U_Filename("/gen/model.x", "model.x"), 77);
    EXPECT_EQ("/gen/model.x:77:2: Msg=9 #params=0", M_Diagnostic(9, l).text());
}

TEST(DiagnosticText, twoIncludeLevelsNestWithShowInclLoc)
{
    CurrentOptions options;
    const U_Location top = U_LocationData::create(U_Filename("/src/a.c", "a.c"), 3, 0);
    const U_Location middle = U_LocationData::create(U_Filename("/src/b.h", "b.h"), 5, 0, top);
    const U_Location inner = U_LocationData::create(U_Filename("/src/c.h", "c.h"), 7, 2, middle);
    const M_Diagnostic d(100, inner);
    EXPECT_EQ("/src/c.h:7:2: Msg=100 #params=0", d.text());
    options.debug("showInclLoc");
    EXPECT_EQ("/src/c.h:7:2: Msg=100 #params=0 incl {/src/b.h:5:0: Msg=1599 #params=0 incl "
              "{/src/a.c:3:0: Msg=1599 #params=0}}",
              d.text());
}

TEST(DiagnosticText, instantiationAndCallChainsInThatOrder)
{
    CurrentOptions options;
    const U_Location l = at(1, 1)
                             ->withInstantiatedFrom(at(2, 0), U_Handle<U_EntityDisplayName>())
                             ->withCalledFrom(at(3, 4))
                             ->withCalledFrom(at(5, 6));
    options.debug("showCallLoc").debug("showInstLoc");
    EXPECT_EQ("/src/a.c:1:1: Msg=7 #params=0 inst {/src/a.c:2:0: Msg=1597 #params=0}"
              " call {/src/a.c:3:4: Msg=1570 #params=0 call {/src/a.c:5:6: Msg=1570 #params=0}}",
              M_Diagnostic(7, l).text());
}

TEST(SortMessages, messageListIsSortedOnlyWithTheDebugWord)
{
    auto make = [](std::int32_t number, std::int32_t line, const std::string& parameter) {
        M_DiagnosticHandle d(new M_Diagnostic(number, at(line, 0)));
        if (!parameter.empty())
            d->addStringParameter(parameter);
        return d;
    };
    const std::vector<M_DiagnosticHandle> input{make(5, 2, "b"), make(5, 2, "a"), make(4, 2, ""),
                                                make(9, 1, ""), make(5, 2, "")};
    CurrentOptions options;
    M_Diagnostic unsorted(1);
    unsorted.addMessageListParameter(input);
    EXPECT_EQ(input, static_cast<const M_ParamMsgListType&>(*unsorted.parameter(0)).messages());

    options.debug("sort-messages");
    M_Diagnostic sorted(1);
    sorted.addMessageListParameter(input);
    const auto& messages = static_cast<const M_ParamMsgListType&>(*sorted.parameter(0)).messages();
    // Location first, then number, then parameter count, then parameter texts.
    const std::vector<M_DiagnosticHandle> expected{input[3], input[2], input[4], input[1], input[0]};
    EXPECT_EQ(expected, messages);
}

} // namespace
