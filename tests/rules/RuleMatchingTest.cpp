// Matching candidate diagnostics against message rules and parameter rules.
#include "RuleMatching.h"
#include "SuppressionStop.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <type_traits>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace {

U_Filename fileIn(const TempDir& dir, const std::string& name)
{
    return U_Filename(dir.file(name), name);
}

M_DiagnosticHandle diagnostic(std::int32_t number, const U_Filename& file, std::int32_t line,
                              std::vector<std::string> parameters = {})
{
    auto d = makeHandle<M_Diagnostic>(number, U_LocationData::create(file, line, 1));
    for (const auto& p : parameters)
        d->addStringParameter(p);
    return d;
}

MessageRules messageRules(const std::string& text)
{
    TempDir dir;
    writeBytes(dir.file("r.txt"), text);
    std::ostringstream ignored;
    return readMessageRulesFile(dir.file("r.txt"), ignored);
}

ParameterRules parameterRules(const std::string& text)
{
    TempDir dir;
    writeBytes(dir.file("r.txt"), text);
    std::ostringstream ignored;
    return readParameterRulesFile(dir.file("r.txt"), ignored);
}

} // namespace

TEST(DiagnosticEntryTest, sortsByPathThenLineKeepingEqualOnesInOrder)
{
    const U_Filename b("/x/b.c", "b.c");
    const U_Filename a("/x/a.c", "a.c");
    const auto d1 = diagnostic(1, b, 5);
    const auto d2 = diagnostic(2, a, 9);
    const auto d3 = diagnostic(3, a, 2);
    const auto d4 = diagnostic(4, a, 9);
    const auto noLocation = makeHandle<M_Diagnostic>(5);
    const auto entries = buildEntries({d1, d2, noLocation, d3, d4});
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].diagnostic, d3);
    EXPECT_EQ(entries[1].diagnostic, d2);
    EXPECT_EQ(entries[2].diagnostic, d4);
    EXPECT_EQ(entries[3].diagnostic, d1);
    EXPECT_EQ(*entries[3].path, "/x/b.c");
}

TEST(DiagnosticEntryTest, ordersLikeAStableSortByPathTextThenLine)
{
    // Many files (more than a few are looked up by hash), a path with a byte above 0x7f, negative,
    // zero and extreme lines, and many equal keys: the order must be that of a stable sort on
    // (path text, line).
    std::vector<U_Filename> files;
    for (int i = 0; i < 20; ++i)
        files.emplace_back("/p/" + std::string(1, static_cast<char>('a' + (i * 7) % 20)) + ".c",
                           "g" + std::to_string(i));
    files.emplace_back("/p/\xe9.c", "high");
    const std::int32_t lines[] = {5, -3, 0, 5, 2147483647, -2147483647 - 1, 1, 5};
    std::vector<M_DiagnosticHandle> candidates;
    unsigned seed = 12345;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 1103515245u + 12345u;
        const U_Filename& file = files[(seed >> 8) % files.size()];
        candidates.push_back(diagnostic(i, file, lines[(seed >> 20) % 8]));
    }
    std::vector<M_DiagnosticHandle> expected = candidates;
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        const std::string& pa = *a->location()->file().fullNameKey();
        const std::string& pb = *b->location()->file().fullNameKey();
        return pa != pb ? pa < pb : a->location()->line() < b->location()->line();
    });
    std::vector<M_DiagnosticHandle> got;
    for (const DiagnosticEntry& entry : buildEntries(candidates))
        got.push_back(entry.diagnostic);
    EXPECT_EQ(got, expected);
    // Already in order: the same entries again.
    got.clear();
    for (const DiagnosticEntry& entry : buildEntries(expected))
        got.push_back(entry.diagnostic);
    EXPECT_EQ(got, expected);
}

TEST(MessageMatchingTest, testsTheSourceLineAnchoredAndUnanchored)
{
    TempDir dir;
    writeBytes(dir.file("a.c"), "int a; // keep\r\nsuppress me\r\nx suppress\n");
    const U_Filename a = fileIn(dir, "a.c");
    const auto onLine1 = diagnostic(10, a, 1);
    const auto onLine2 = diagnostic(20, a, 2);
    const auto onLine3 = diagnostic(20, a, 3);
    const auto alsoLine1 = diagnostic(10, a, 1);
    auto rules = messageRules("20 ^suppress\n10 keep$\n");
    const auto matches = matchMessageRules(rules, buildEntries({onLine3, onLine2, onLine1, alsoLine1}));
    EXPECT_EQ(matches, (MatchList{onLine1, alsoLine1, onLine2}));
    // Matched in message-number order; the file order stays as it was.
    const RuleSet<MessageRule> set(rules);
    EXPECT_EQ(set.sorted()[0].messageNumber, 10);
    EXPECT_EQ(set.inFileOrder()[0].messageNumber, 20);
}

TEST(MessageMatchingTest, secondRuleOfANumberMatchesWhenTheFirstDoesNot)
{
    TempDir dir;
    writeBytes(dir.file("a.c"), "memcpy(a, b, n);\n");
    const auto d = diagnostic(7, fileIn(dir, "a.c"), 1);
    auto rules = messageRules("7 strcpy\n8 memcpy\n7 memcpy\n7 mem\n");
    EXPECT_EQ(matchMessageRules(rules, buildEntries({d})), MatchList{d});
}

TEST(MessageMatchingTest, lineZeroIsNeverTestedAndPastTheEndSeesTheLastRead)
{
    TempDir dir;
    writeBytes(dir.file("end.c"), "first\nlast");    // no line feed after the last line
    writeBytes(dir.file("lf.c"), "first\nlast\n");
    const auto atZero = diagnostic(1, fileIn(dir, "end.c"), 0);
    const auto pastEnd = diagnostic(1, fileIn(dir, "end.c"), 9);
    const auto pastEndLf = diagnostic(1, fileIn(dir, "lf.c"), 9);
    const auto emptyPastEndLf = diagnostic(2, fileIn(dir, "lf.c"), 10);
    auto rules = messageRules("1 .*\n1 last\n2 ^$\n");
    const auto matches = matchMessageRules(rules, buildEntries({atZero, pastEnd, pastEndLf, emptyPastEndLf}));
    // "last" is what the last read of end.c produced; lf.c's read past its end found nothing.
    EXPECT_EQ(matches, (MatchList{pastEnd, pastEndLf, emptyPastEndLf}));
}

TEST(MessageMatchingTest, sourceIsOpenedOnlyWhenARuleNeedsIt)
{
    TempDir dir;
    const U_Filename missing = fileIn(dir, "missing.c");
    auto rules = messageRules("1 x\n");
    EXPECT_TRUE(matchMessageRules(rules, buildEntries({diagnostic(2, missing, 3)})).empty());
    try {
        matchMessageRules(rules, buildEntries({diagnostic(1, missing, 3)}));
        FAIL() << "no stop";
    } catch (const SuppressionStop& stop) {
        EXPECT_EQ(stop.report(), "Failed to open " + dir.file("missing.c") + " Aborting.");
    }
}

TEST(MessageMatchingTest, readsEachFileForwardsAcrossFiles)
{
    TempDir dir;
    writeBytes(dir.file("a.c"), "a1\na2 hit\na3\n");
    writeBytes(dir.file("b.c"), "b1 hit\nb2\n");
    const auto a2 = diagnostic(5, fileIn(dir, "a.c"), 2);
    const auto a3 = diagnostic(5, fileIn(dir, "a.c"), 3);
    const auto b1 = diagnostic(5, fileIn(dir, "b.c"), 1);
    auto rules = messageRules("5 hit\n");
    EXPECT_EQ(matchMessageRules(rules, buildEntries({b1, a3, a2})), (MatchList{a2, b1}));
}

TEST(ParameterMatchingTest, positionsCountFromOneAndOnlyStringParametersAreTested)
{
    const U_Filename f("/x/a.c", "a.c");
    const auto first = diagnostic(3, f, 0, {"std::vector", "size"});
    const auto second = diagnostic(3, f, 4, {"mine", "std::string"});
    const auto one = diagnostic(3, f, 4, {"mine"});
    auto withList = makeHandle<M_Diagnostic>(3, U_LocationData::create(f, 4, 1));
    withList->addListParameter({"std::list"});
    auto rules = parameterRules("3 1 ^std::\n3 2 ^std::\n3 0 .\n4 1 .\n");
    const auto matches = matchParameterRules(rules, buildEntries({first, second, one, withList}));
    EXPECT_EQ(matches, (MatchList{first, second}));
}

TEST(ParameterMatchingTest, eachMatchingParameterAppendsTheDiagnosticOnce)
{
    const U_Filename f("/x/a.c", "a.c");
    const auto both = diagnostic(3, f, 1, {"aa", "ab"});
    auto rules = parameterRules("3 2 b\n3 1 a\n3 2 a\n");
    EXPECT_EQ(matchParameterRules(rules, buildEntries({both})), (MatchList{both, both}));
    const RuleSet<ParameterRule> set(rules);
    EXPECT_EQ(set.sorted()[0].position, 1);
    EXPECT_EQ(set.sorted()[1].pattern, "b"); // stable: "b" stood before "a" at position 2
}

TEST(RuleIndexTest, findsEveryNumbersRulesWhetherSmallNegativeOrHuge)
{
    // Numbers outside the table indexed by number (negative, above its limit) and numbers inside
    // it mixed in one list, with gaps and repeats.
    const std::int32_t numbers[] = {-5, 0, 7, 7, 65535, 65536, 2000000000, -2147483647 - 1, 7, 300};
    std::vector<ParameterRule> rules;
    for (const std::int32_t number : numbers) {
        ParameterRule rule;
        rule.messageNumber = number;
        rule.pattern = std::to_string(rules.size());
        rules.push_back(rule);
    }
    const RuleSet<ParameterRule> set(rules);
    for (const std::int32_t asked : {-5, 0, 7, 65535, 65536, 2000000000, -2147483647 - 1, 300, 1, 8, 299, 65534,
                                     65537, -1, 2147483647}) {
        std::vector<std::string> expected;
        for (const ParameterRule& rule : set.sorted())
            if (rule.messageNumber == asked)
                expected.push_back(rule.pattern);
        std::vector<std::string> found;
        set.index().anyOf(asked, [&](const ParameterRule& rule) {
            found.push_back(rule.pattern);
            return false;
        });
        EXPECT_EQ(found, expected) << asked;
        EXPECT_EQ(set.index().hasRules(asked), !expected.empty()) << asked;
    }
    // Within a number the file order stays: the three rules of 7 in the order they were given.
    std::vector<std::string> sevens;
    set.index().anyOf(7, [&](const ParameterRule& rule) {
        sevens.push_back(rule.pattern);
        return false;
    });
    EXPECT_EQ(sevens, (std::vector<std::string>{"2", "3", "8"}));
}

namespace {

// Random rules in file order (lines ascending; few numbers and positions, so ties abound), and the
// same rules grouped by number as a digest gives them: each group in file order, or shuffled. Both
// constructions must sort alike.
template <class Rule>
void expectBothOrdersSortAlike(std::uint32_t seed, bool shuffleGroups)
{
    std::mt19937 random(seed);
    std::vector<Rule> inFileOrder(random() % 40);
    for (std::size_t i = 0; i < inFileOrder.size(); ++i) {
        inFileOrder[i].messageNumber = static_cast<std::int32_t>(random() % 5) * 1000 - 1000;
        if constexpr (std::is_same_v<Rule, ParameterRule>)
            inFileOrder[i].position = static_cast<std::int32_t>(random() % 3);
        inFileOrder[i].line = static_cast<std::int32_t>(2 * i + 1);
    }
    std::vector<Rule> byNumber = inFileOrder;
    std::stable_sort(byNumber.begin(), byNumber.end(),
                     [](const Rule& a, const Rule& b) { return a.messageNumber < b.messageNumber; });
    if (shuffleGroups)
        std::shuffle(byNumber.begin(), byNumber.end(), random);
    const RuleSet<Rule> once(inFileOrder);
    const RuleSet<Rule> twice(inFileOrder, byNumber, RulesFileSource{});
    const auto lines = [](const RuleSet<Rule>& set) {
        std::vector<std::int32_t> result;
        for (const Rule& rule : set.sorted())
            result.push_back(rule.line);
        return result;
    };
    EXPECT_EQ(lines(twice), lines(once)) << "seed " << seed << (shuffleGroups ? ", shuffled" : "");
}

} // namespace

TEST(RuleSetTest, setMadeFromBothOrdersSortsAsOneMadeFromFileOrder)
{
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        for (const bool shuffled : {false, true}) {
            expectBothOrdersSortAlike<MessageRule>(seed, shuffled);
            expectBothOrdersSortAlike<ParameterRule>(seed, shuffled);
        }
    }
}
