// Round trips: random well-formed content written by the project's writer must be read back whole.
//
// Every run draws a new seed and prints it. A failing case prints the seed and its number; setting
// ZEMB_ROUNDTRIP_SEED to the seed and ZEMB_ROUNDTRIP_CASE to the number runs that case alone.
// ZEMB_ROUNDTRIP_CASES multiplies the number of cases (for a longer run by hand).
#include "AnlsrsltTestSupport.h"
#include "ErrorFileComparison.h"
#include "ErrorFileGenerator.h"
#include "ErrtoolDescription.h"
#include "M_InputBonnie.h"
#include "M_OutputBonnie2.h"
#include "TestSupport.h"
#include "U_MacroHistory.h"
#include "U_StandardStreams.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <random>
#include <sstream>

using namespace anltest;

namespace {

struct Replay {
    std::uint64_t seed;
    long onlyCase = -1;
    long scale = 1;
};

const Replay& replay()
{
    static const Replay settings = [] {
        Replay r{0};
        const char* seed = std::getenv("ZEMB_ROUNDTRIP_SEED");
        r.seed = seed ? std::strtoull(seed, nullptr, 0)
                      : (static_cast<std::uint64_t>(std::random_device()()) << 32) ^ std::random_device()();
        if (const char* only = std::getenv("ZEMB_ROUNDTRIP_CASE"))
            r.onlyCase = std::strtol(only, nullptr, 10);
        if (const char* scale = std::getenv("ZEMB_ROUNDTRIP_CASES"))
            r.scale = std::max(1L, std::strtol(scale, nullptr, 10));
        std::cout << "round trips: seed " << r.seed << std::endl;
        return r;
    }();
    return settings;
}

// Runs the cases of one property, each from its own seed; stops at the first that fails.
template <class Case>
void forEachCase(long cases, Case runCase)
{
    const Replay& r = replay();
    const auto started = std::chrono::steady_clock::now();
    long ran = 0;
    for (long n = 0; n < cases * r.scale; ++n) {
        if (r.onlyCase >= 0 && n != r.onlyCase)
            continue;
        roundtrip::SeededChoices choices(r.seed ^ (static_cast<std::uint64_t>(n) * 0xD1B54A32D192ED03ull));
        const std::string failure = runCase(choices);
        ++ran;
        if (!failure.empty()) {
            ADD_FAILURE() << failure << "\n  seed " << r.seed << ", case " << n << "; replay with ZEMB_ROUNDTRIP_SEED="
                          << r.seed << " ZEMB_ROUNDTRIP_CASE=" << n;
            return;
        }
    }
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
    std::cout << ran << " cases in " << ms << " ms" << std::endl;
}

// Reads the written bytes and compares: acceptance, every field, the text form, and a reading with
// an interest, which passes over some diagnostics by another path through the same bytes.
std::string readBack(const roundtrip::Format3Content& written, const U_Handle<M_InputBonnie>& read,
                     const std::string& errors)
{
    if (!read)
        return "the file written was refused; the reader wrote: " + errors;
    std::string difference = roundtrip::compareFormat3(written, *read);
    if (!difference.empty())
        return difference;
    const std::vector<std::string> expected = roundtrip::textForm(written);
    const std::vector<std::string> actual = roundtrip::textForm(*read);
    for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i)
        if (expected[i] != actual[i])
            return "text form line " + std::to_string(i) + ":\n  written " + expected[i] + "\n  read    " + actual[i];
    return expected.size() == actual.size() ? std::string() : "text form: number of lines";
}

std::string readWithInterest(const std::string& bytes, const M_InputBonnie& whole)
{
    roundtrip::OddNumbersInterest interest;
    const auto partial = M_InputBonnie::readBytes(bytes, "a.c", &interest);
    return partial ? roundtrip::compareWithInterest(whole, *partial, interest) : "refused when read with an interest";
}

// What a sample of generated content holds, so that the generator cannot quietly stop making a kind
// of content and leave the round trips proving nothing about it.
struct Coverage {
    std::map<std::string, int> seen;
    std::set<const U_LocationData*> inBlock;
    std::set<const U_LocationData*> inFile;

    void location(const U_Location& l, int chainDepth = 0)
    {
        if (!l)
            return;
        if (!inBlock.insert(l.get()).second) {
            ++seen["back reference"];
            return;
        }
        if (!inFile.insert(l.get()).second)
            ++seen["location written again in a later block"];
        if (l->hasIncludeLocation()) {
            ++seen[chainDepth >= 2 ? "include chain of three or more" : "include location"];
            location(l->includeLocation(), chainDepth + 1);
        }
        int steps = 0;
        for (U_Handle<U_MacroHistory> step = l->macroHistory(); step; step = step->next(), ++steps)
            location(step->location());
        if (steps > 0)
            ++seen[steps > 1 ? "macro history of several steps" : "macro history"];
        if (l->hasPresumedPosition())
            ++seen["presumed position"];
        if (l->hasInstantiatedFrom()) {
            ++seen[l->instantiatedDepth() >= 3 ? "instantiation chain of three or more" : "instantiated from"];
            location(l->instantiatedFrom());
        }
        if (l->hasCalledFrom()) {
            ++seen[l->calledFrom()->hasCalledFrom() ? "call chain of two or more" : "called from"];
            location(l->calledFrom());
        }
    }

    void diagnostic(const M_Diagnostic& d, int nesting)
    {
        location(d.location());
        for (const auto& parameter : d.parameters()) {
            if (dynamic_cast<const M_ParamStringType*>(parameter.get()))
                ++seen["string parameter"];
            else if (dynamic_cast<const M_ParamListType*>(parameter.get()))
                ++seen["list parameter"];
            else if (const auto* list = dynamic_cast<const M_ParamMsgListType*>(parameter.get())) {
                ++seen[nesting > 0 ? "nested message list" : "message list"];
                for (const auto& message : list->messages())
                    diagnostic(*message, nesting + 1);
            }
        }
    }

    void file(const roundtrip::Format3Content& content)
    {
        ++seen["format id " + std::to_string(content.formatId)];
        if (content.blocks.size() > 1)
            ++seen["several blocks"];
        inFile.clear();
        for (const roundtrip::WrittenBlock& block : content.blocks) {
            inBlock.clear();
            if (!block.skipped.empty())
                ++seen["block record with a body"];
            for (const roundtrip::WrittenRecord& record : block.records) {
                if (record.kind != roundtrip::WrittenRecord::Kind::suppression) {
                    ++seen[record.kind == roundtrip::WrittenRecord::Kind::diagnostic ? "diagnostic" : "stamped"];
                    diagnostic(*record.diagnostic, 0);
                    continue;
                }
                const M_SuppressionRecord& r = *record.suppression;
                ++seen[r.messageRanges().size() > 1 ? "suppression with ranges" : "suppression"];
                if (r.rangeEnd())
                    ++seen["suppression with an end"];
                location(r.origin());
                location(r.rangeStart());
                location(r.rangeEnd());
            }
        }
    }
};

TEST(RandomRoundTripGenerator, coversEveryKindOfContent)
{
    Coverage coverage;
    for (std::uint64_t seed = 0; seed < 300; ++seed) {
        roundtrip::SeededChoices choices(seed);
        coverage.file(roundtrip::generateFormat3(choices));
    }
    for (const char* kind :
         {"back reference", "location written again in a later block", "include location",
          "include chain of three or more", "macro history", "macro history of several steps", "presumed position",
          "instantiated from", "instantiation chain of three or more", "called from", "call chain of two or more",
          "string parameter", "list parameter", "message list", "nested message list", "several blocks",
          "block record with a body", "diagnostic", "stamped", "suppression", "suppression with ranges",
          "suppression with an end", "format id 33024", "format id 33280", "format id 37120", "format id 37376",
          "format id 37632"})
        EXPECT_GT(coverage.seen[kind], 0) << kind;
}

class RandomRoundTrip : public testing::Test {
protected:
    // The text form with every chain shown; what the reader writes to the error stream is kept.
    RandomRoundTrip() : saved_(standardError().rdbuf(errors_.rdbuf()))
    {
        options_.debug("showInclLoc").debug("showInstLoc").debug("showCallLoc");
    }
    ~RandomRoundTrip() override { standardError().rdbuf(saved_); }

    // What the reader wrote to the error stream since the last call.
    std::string takeErrors()
    {
        const std::string text = errors_.str();
        errors_.str(std::string());
        return text;
    }

    CurrentOptions options_;
    std::ostringstream errors_;
    std::streambuf* saved_;
};

TEST_F(RandomRoundTrip, format3WrittenByTheEncoderIsReadBack)
{
    forEachCase(3000, [this](roundtrip::Choices& choices) {
        const roundtrip::Format3Content written = roundtrip::generateFormat3(choices);
        const std::string bytes = roundtrip::encodeFormat3(written);
        const auto read = M_InputBonnie::readBytes(bytes, "a.c");
        std::string failure = readBack(written, read, takeErrors());
        return failure.empty() ? readWithInterest(bytes, *read) : failure;
    });
}

// The first blocks come from the encoder, as the analyser would write them; the others are appended
// through the tool's appending writer, which starts each with an empty block record.
TEST_F(RandomRoundTrip, format3AppendedByTheWriterIsReadBack)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("a.c.err");
    forEachCase(200, [this, &path](roundtrip::Choices& choices) {
        roundtrip::Format3Content written = roundtrip::generateFormat3(choices);
        const std::size_t first = 1 + choices.below(static_cast<std::uint32_t>(written.blocks.size()) + 1);
        roundtrip::Format3Content analyser = written;
        analyser.blocks.resize(std::min(first, written.blocks.size()));
        testsupport::writeBytes(path, roundtrip::encodeFormat3(analyser));
        for (std::size_t b = first; b < written.blocks.size(); ++b) {
            roundtrip::WrittenBlock& block = written.blocks[b];
            block.skipped.clear();
            if (b == first)
                M_OutputBonnie2::openPathForAppend(path);
            else
                M_OutputBonnie2::startNextBlock();
            for (const roundtrip::WrittenRecord& record : block.records) {
                if (record.kind == roundtrip::WrittenRecord::Kind::suppression)
                    M_OutputBonnie2::current()->writeSuppressionRecord(*record.suppression);
                else
                    M_OutputBonnie2::current()->writeDiagnosticRecord(*record.diagnostic,
                                                                      record.diagnostic->hiddenByPragma());
            }
        }
        M_OutputBonnie2::closeCurrent();
        const auto read = M_InputBonnie::openAndRead(path, "a.c");
        return readBack(written, read, takeErrors());
    });
}

TEST_F(RandomRoundTrip, format2MadeByErrtoolIsReadBack)
{
    testsupport::TempDir dir;
    const std::string source = dir.file("main.c");
    testsupport::writeBytes(source, "");
    forEachCase(1500, [this, &source](roundtrip::Choices& choices) {
        const roundtrip::Format2Content written = roundtrip::generateFormat2(choices, source);
        const std::string bytes = errtool::buildErrorFile(written.description);
        const auto read = M_InputBonnie::readBytes(bytes, source);
        if (!read)
            return "the file made from this description was refused (" + takeErrors() + "):\n" + written.description;
        std::string difference = roundtrip::compareFormat2(written, *read);
        for (std::size_t i = 0; difference.empty() && i < written.diagnostics.size(); ++i)
            if (written.diagnostics[i]->text() != read->diagnostics()[i]->text())
                difference = "text form of record " + std::to_string(i) + ":\n  written "
                    + written.diagnostics[i]->text() + "\n  read    " + read->diagnostics()[i]->text();
        return difference.empty() ? difference : difference + "\ndescription:\n" + written.description;
    });
}

} // namespace
