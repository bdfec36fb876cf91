// Fuzz target: the error-file reader must refuse or read any bytes without crashing or hanging, and
// a reading with an interest must refuse the same files and keep the same diagnostics in order.
// The same bytes also drive the round-trip tests' generator: what the writer (format 3) and errtool
// (format 2) make of them must be accepted and read back exactly.
#include "ErrorFileComparison.h"
#include "ErrorFileGenerator.h"
#include "ErrtoolDescription.h"
#include "M_InputBonnie.h"
#include "M_SuppressionRecord.h"
#include "U_LocationData.h"

#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>

namespace {
// Swallows the reader's lines on the error stream so that the fuzzer's own report stays readable.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

// Reports the difference on the error stream (std::cerr is silenced) and stops.
void fail(const std::string& what, const std::string& difference)
{
    std::fprintf(stderr, "%s: %s\n", what.c_str(), difference.c_str());
    std::abort();
}

// The input's bytes as the generator's choices: format-3 content through the encoder, then format-2
// content through errtool's description.
void writtenContentIsReadBack(const std::uint8_t* data, std::size_t size)
{
    roundtrip::ByteChoices choices(data, size);
    const roundtrip::Format3Content format3 = roundtrip::generateFormat3(choices);
    const U_Handle<M_InputBonnie> read3 = M_InputBonnie::readBytes(roundtrip::encodeFormat3(format3), "fuzz.c");
    if (!read3)
        fail("written format-3 file refused", "");
    const std::string difference3 = roundtrip::compareFormat3(format3, *read3);
    if (!difference3.empty())
        fail("written format-3 file read back differently", difference3);

    const roundtrip::Format2Content format2 = roundtrip::generateFormat2(choices, "fuzz.c");
    const U_Handle<M_InputBonnie> read2 =
        M_InputBonnie::readBytes(errtool::buildErrorFile(format2.description), "fuzz.c");
    if (!read2)
        fail("format-2 file made by errtool refused", format2.description);
    const std::string difference2 = roundtrip::compareFormat2(format2, *read2);
    if (!difference2.empty())
        fail("format-2 file made by errtool read back differently", difference2 + "\n" + format2.description);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static NullBuffer sink;
    std::cerr.rdbuf(&sink);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writtenContentIsReadBack(data, size);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const U_Handle<M_InputBonnie> reader = M_InputBonnie::readBytes(bytes, "fuzz.c");
    roundtrip::OddNumbersInterest interest;
    const U_Handle<M_InputBonnie> partial = M_InputBonnie::readBytes(bytes, "fuzz.c", &interest);
    if (static_cast<bool>(partial) != static_cast<bool>(reader))
        fail("one reading refused what the other read", "");
    if (!reader)
        return 0;
    if (reader->format() == 3) {
        const std::string difference = roundtrip::compareWithInterest(*reader, *partial, interest);
        if (!difference.empty())
            fail("a reading with an interest differs", difference);
    }
    std::size_t total = 0;
    for (const auto& diagnostic : reader->diagnostics())
        total += diagnostic->text().size();
    for (const auto& record : reader->suppressions())
        total += static_cast<std::size_t>(U_LocationData::compare(record->origin(), record->rangeStart()) + 1);
    return total == static_cast<std::size_t>(-1) ? 1 : 0;
}
