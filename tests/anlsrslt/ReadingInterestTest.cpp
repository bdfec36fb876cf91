// Reading an error file with an interest: what is built, what is passed over, and that a file is
// refused exactly when the full reading refuses it.
#include "AnlsrsltTestSupport.h"
#include "M_InputBonnie.h"
#include "R_ErrorFileEncoder.h"

#include <gtest/gtest.h>

#include <set>

using namespace anltest;

namespace {

class SomeNumbers : public M_ReadingInterest {
public:
    SomeNumbers(std::set<std::int32_t> diagnostics, std::set<std::int32_t> parameters)
        : diagnostics_(std::move(diagnostics)), parameters_(std::move(parameters))
    {
    }
    bool wantsDiagnostic(std::int32_t number) const override { return diagnostics_.count(number) != 0; }
    bool wantsParameters(std::int32_t number) const override { return parameters_.count(number) != 0; }
    void passedOver(std::int32_t number, const U_Location& location, bool fourthFlag) override
    {
        passed.push_back({number, location, fourthFlag});
    }

    struct Passed {
        std::int32_t number;
        U_Location location;
        bool fourthFlag;
    };
    std::vector<Passed> passed;

private:
    std::set<std::int32_t> diagnostics_;
    std::set<std::int32_t> parameters_;
};

// Two blocks of diagnostics 5, 6 and 7 with every kind of parameter, message lists holding
// diagnostics with locations of their own, include locations, and locations first written inside
// a diagnostic that an interest passes over and referred to by id from later ones; then a
// suppression record.
std::string richFile()
{
    const U_Filename a("/s/a.c", "a.c");
    const U_Filename h("/s/h.h", "h.h");
    const U_Location include = U_LocationData::create(a, 3, 1);
    const U_Location inHeader = U_LocationData::create(h, 40, 2, include);
    const U_Location own = U_LocationData::create(a, 90, 9);

    R_BinaryWriter out;
    out.raw(header().data(), 8);
    R_ErrorFileEncoder encoder(out);
    for (int block = 0; block < 2; ++block) {
        encoder.blockRecord();
        for (int i = 0; i < 12; ++i) {
            const std::int32_t number = 5 + (i + block) % 3;
            const U_Location where = i % 4 == 0 ? inHeader : U_LocationData::create(a, 10 + i, i);
            M_DiagnosticHandle d(new M_Diagnostic(number, where));
            d->setFlags(i % 5 == 0, false, false, i % 3 == 1);
            d->addStringParameter("text" + std::to_string(i));
            if (i % 2 == 0)
                d->addListParameter({"x", "", "y"});
            if (i % 3 == 0) {
                M_DiagnosticHandle inner(new M_Diagnostic(8, own));
                inner->addStringParameter("inner");
                M_DiagnosticHandle middle(new M_Diagnostic(9, inHeader));
                middle->addMessageListParameter({inner, inner});
                d->addMessageListParameter({middle});
            }
            if (i % 2)
                encoder.stampedDiagnosticRecord(*d, d->hiddenByPragma(), 99);
            else
                encoder.diagnosticRecord(*d, d->hiddenByPragma());
        }
    }
    const M_SuppressionRecord record(1, own, "Auto", {{"5", "5"}}, own, U_Location());
    encoder.suppressionRecord(record);
    return out.bytes();
}

bool readable(const std::string& bytes, M_ReadingInterest* interest)
{
    return static_cast<bool>(M_InputBonnie::readBytes(bytes, "a.c", interest));
}

} // namespace

TEST(InputBonnieInterest, buildsWhatIsWantedAndPassesOverTheRestInFileOrder)
{
    CurrentOptions options;
    const std::string file = richFile();
    const auto full = M_InputBonnie::readBytes(file, "a.c");
    ASSERT_TRUE(full);
    SomeNumbers interest({5, 6}, {5});
    const auto partial = M_InputBonnie::readBytes(file, "a.c", &interest);
    ASSERT_TRUE(partial);

    std::size_t built = 0;
    std::size_t passed = 0;
    for (const M_DiagnosticHandle& d : full->diagnostics()) {
        if (d->messageNumber() == 7) {
            ASSERT_LT(passed, interest.passed.size());
            const auto& p = interest.passed[passed++];
            EXPECT_EQ(p.number, 7);
            EXPECT_EQ(U_LocationData::compare(p.location, d->location()), 0);
            EXPECT_EQ(p.location->includeLocation() != nullptr, d->location()->includeLocation() != nullptr);
            EXPECT_EQ(p.fourthFlag, d->fourthFlag());
            continue;
        }
        ASSERT_LT(built, partial->diagnostics().size());
        const M_Diagnostic& mine = *partial->diagnostics()[built++];
        EXPECT_EQ(mine.messageNumber(), d->messageNumber());
        EXPECT_EQ(U_LocationData::compare(mine.location(), d->location()), 0);
        EXPECT_EQ(mine.fourthFlag(), d->fourthFlag());
        EXPECT_EQ(mine.hiddenByPragma(), d->hiddenByPragma());
        if (d->messageNumber() == 5)
            EXPECT_EQ(mine.text(), d->text()); // parameters, message lists included
        else
            EXPECT_EQ(mine.parameterCount(), 0u);
    }
    EXPECT_EQ(built, partial->diagnostics().size());
    EXPECT_EQ(passed, interest.passed.size());
    EXPECT_GT(passed, 0u);
    ASSERT_EQ(partial->suppressions().size(), 1u);
    EXPECT_EQ(U_LocationData::compare(partial->suppressions()[0]->rangeStart(), full->suppressions()[0]->rangeStart()), 0);
}

TEST(InputBonnieInterest, refusesExactlyWhatTheFullReadingRefuses)
{
    // Every truncation and many single-byte changes of a rich file: the file is read with every
    // interest exactly when it is read in full.
    CurrentOptions options;
    const std::string file = richFile();
    testing::internal::CaptureStderr();
    int differences = 0;
    int refused = 0;
    auto check = [&](const std::string& bytes) {
        SomeNumbers nothing({}, {});
        SomeNumbers some({5, 9}, {6});
        SomeNumbers all({5, 6, 7}, {5, 6, 7});
        const bool fullRead = readable(bytes, nullptr);
        refused += fullRead ? 0 : 1;
        for (M_ReadingInterest* interest : {static_cast<M_ReadingInterest*>(&nothing), static_cast<M_ReadingInterest*>(&some),
                                            static_cast<M_ReadingInterest*>(&all)})
            if (readable(bytes, interest) != fullRead)
                ++differences;
    };
    for (std::size_t length = 0; length <= file.size(); ++length)
        check(file.substr(0, length));
    for (std::size_t at = 8; at < file.size(); ++at)
        for (const char value : {'\x00', '\x04', '\x7f', '\xff'}) {
            std::string changed = file;
            changed[at] = value;
            check(changed);
        }
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(differences, 0);
    EXPECT_GT(refused, 100); // the changes did reach the checks
}
