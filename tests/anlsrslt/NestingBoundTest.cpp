// The nesting bounds: what the writer writes at the bound is read back, text-formed and destroyed
// without exhausting the stack, and one level more is refused by the writer as by the reader.
#include "AnlsrsltTestSupport.h"
#include "M_InputBonnie.h"
#include "ObjectDisplayName.h"
#include "R_BinaryException.h"
#include "R_ErrorFileEncoder.h"
#include "U_MacroHistory.h"

#include <gtest/gtest.h>

#include <functional>

using namespace anltest;

namespace {

const U_Filename kFile("/s/a.c", "a.c");

// A location of the given depth as readers count it, built along one kind of chain.
using ChainBuilder = std::function<U_Location(int depth)>;

U_Location includeChain(int depth)
{
    U_Location l = U_LocationData::create(kFile, 1, 1);
    for (int i = 1; i < depth; ++i)
        l = U_LocationData::create(kFile, i, 2, l);
    return l;
}

U_Location instantiationChain(int depth)
{
    U_Location l = U_LocationData::create(kFile, 1, 1);
    for (int i = 1; i < depth; ++i)
        l = U_LocationData::create(kFile, i, 3)->withInstantiatedFrom(
            l, U_Handle<U_EntityDisplayName>(new ObjectDisplayName("T")));
    return l;
}

U_Location callChain(int depth)
{
    U_Location l = U_LocationData::create(kFile, 1, 1);
    for (int i = 1; i < depth; ++i)
        l = U_LocationData::create(kFile, i, 4)->withCalledFrom(l);
    return l;
}

// One location whose macro history has depth - 2 steps: step k of a history counts k + 1 above its
// own location's depth.
U_Location macroSteps(int depth)
{
    U_Handle<U_MacroHistory> history;
    for (int i = 0; i < depth - 2; ++i)
        history = U_Handle<U_MacroHistory>(
            new U_MacroHistory(U_LocationData::create(kFile, i, 5), U_Identifier("M"), history));
    return U_LocationData::create(kFile, 1, 1, nullptr, history);
}

std::string fileWith(const M_Diagnostic& diagnostic)
{
    R_BinaryWriter out;
    out.raw(header().data(), 8);
    R_ErrorFileEncoder encoder(out);
    encoder.diagnosticRecord(diagnostic, false);
    return out.bytes();
}

M_DiagnosticHandle nestedMessageLists(int depth)
{
    M_DiagnosticHandle d(new M_Diagnostic(1, U_LocationData::create(kFile, 1, 1)));
    for (int i = 0; i < depth; ++i) {
        M_DiagnosticHandle outer(new M_Diagnostic(1, d->location()));
        outer->addMessageListParameter({d});
        d = outer;
    }
    return d;
}

TEST(NestingBound, locationChainsAtTheBoundAreWrittenReadAndFreedOneMoreIsRefused)
{
    CurrentOptions options;
    options.debug("showInclLoc").debug("showInstLoc").debug("showCallLoc");
    const int bound = M_InputBonnie::kMaxLocationDepth;
    const std::pair<const char*, ChainBuilder> chains[] = {
        {"include", includeChain}, {"instantiation", instantiationChain}, {"call", callChain}, {"macro", macroSteps}};
    for (const auto& chain : chains) {
        const M_Diagnostic atBound(7, chain.second(bound));
        const std::string bytes = fileWith(atBound);
        U_Handle<M_InputBonnie> reader = M_InputBonnie::readBytes(bytes, "a.c");
        ASSERT_TRUE(reader) << chain.first;
        EXPECT_EQ(atBound.text(), reader->diagnostics()[0]->text()) << chain.first;
        reader = nullptr;

        const M_Diagnostic beyond(7, chain.second(bound + 1));
        EXPECT_THROW(fileWith(beyond), R_WritingException) << chain.first;
    }
}

TEST(NestingBound, messageListsAtTheBoundAreWrittenAndReadOneMoreIsRefused)
{
    const M_DiagnosticHandle atBound = nestedMessageLists(M_InputBonnie::kMaxMessageListDepth);
    const auto reader = M_InputBonnie::readBytes(fileWith(*atBound), "a.c");
    ASSERT_TRUE(reader);
    EXPECT_EQ(atBound->text(), reader->diagnostics()[0]->text());
    EXPECT_THROW(fileWith(*nestedMessageLists(M_InputBonnie::kMaxMessageListDepth + 1)), R_WritingException);
}

// A refused record leaves the encoder as it was: the next record numbers its locations from where
// the last written one left off.
TEST(NestingBound, aRefusedRecordTakesBackItsLocations)
{
    R_BinaryWriter out;
    out.raw(header().data(), 8);
    R_ErrorFileEncoder encoder(out);
    const M_Diagnostic first(1, U_LocationData::create(kFile, 1, 1));
    encoder.diagnosticRecord(first, false);
    const std::size_t size = out.size();
    EXPECT_THROW(encoder.diagnosticRecord(M_Diagnostic(2, includeChain(M_InputBonnie::kMaxLocationDepth + 1)), false),
                 R_WritingException);
    EXPECT_EQ(size, out.size());
    EXPECT_THROW(encoder.diagnosticRecord(*nestedMessageLists(M_InputBonnie::kMaxMessageListDepth + 1), false),
                 R_WritingException);
    encoder.diagnosticRecord(*nestedMessageLists(2), false);
    encoder.diagnosticRecord(M_Diagnostic(3, includeChain(3)), false);
    const auto reader = M_InputBonnie::readBytes(out.bytes(), "a.c");
    ASSERT_TRUE(reader);
    ASSERT_EQ(3u, reader->diagnostics().size());
    EXPECT_EQ(1, reader->diagnostics()[2]->location()->includeLocation()->includeLocation()->column());
}

} // namespace
