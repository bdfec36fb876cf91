// Fuzz target: the error-file reader must refuse or read any bytes without crashing or hanging.
#include "M_InputBonnie.h"
#include "M_SuppressionRecord.h"
#include "U_LocationData.h"

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <streambuf>
#include <string>

namespace {
// Swallows the reader's lines on the error stream so that the fuzzer's own report stays readable.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static NullBuffer sink;
    std::cerr.rdbuf(&sink);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const U_Handle<M_InputBonnie> reader = M_InputBonnie::readBytes(bytes, "fuzz.c");
    if (!reader)
        return 0;
    std::size_t total = 0;
    for (const auto& diagnostic : reader->diagnostics())
        total += diagnostic->text().size();
    for (const auto& record : reader->suppressions())
        total += static_cast<std::size_t>(U_LocationData::compare(record->origin(), record->rangeStart()) + 1);
    return total == static_cast<std::size_t>(-1) ? 1 : 0;
}
