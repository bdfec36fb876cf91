// Fuzz target: the error-file reader must refuse or read any bytes without crashing or hanging, and
// a reading with an interest must refuse the same files and keep the same diagnostics in order.
#include "M_InputBonnie.h"
#include "M_SuppressionRecord.h"
#include "U_LocationData.h"

#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {
// Builds the odd message numbers, with parameters for those that are also 3 modulo 4.
class OddNumbers : public M_ReadingInterest {
public:
    bool wantsDiagnostic(std::int32_t number) const override { return (number & 1) != 0; }
    bool wantsParameters(std::int32_t number) const override { return (number & 3) == 3; }
    void passedOver(std::int32_t number, const U_Location&, bool) override { numbers.push_back(number); }
    std::vector<std::int32_t> numbers;
};

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
    OddNumbers interest;
    const U_Handle<M_InputBonnie> partial = M_InputBonnie::readBytes(bytes, "fuzz.c", &interest);
    if (static_cast<bool>(partial) != static_cast<bool>(reader))
        std::abort(); // one reading refused what the other read
    if (!reader)
        return 0;
    if (reader->format() == 3) {
        std::size_t built = 0;
        std::size_t passed = 0;
        for (const auto& diagnostic : reader->diagnostics()) {
            const std::int32_t number = diagnostic->messageNumber();
            if (number & 1) {
                if (built >= partial->diagnostics().size() || partial->diagnostics()[built]->messageNumber() != number)
                    std::abort();
                if ((number & 3) == 3 && partial->diagnostics()[built]->text() != diagnostic->text())
                    std::abort();
                ++built;
            } else if (passed >= interest.numbers.size() || interest.numbers[passed++] != number) {
                std::abort();
            }
        }
        if (built != partial->diagnostics().size() || passed != interest.numbers.size())
            std::abort();
    }
    std::size_t total = 0;
    for (const auto& diagnostic : reader->diagnostics())
        total += diagnostic->text().size();
    for (const auto& record : reader->suppressions())
        total += static_cast<std::size_t>(U_LocationData::compare(record->origin(), record->rangeStart()) + 1);
    return total == static_cast<std::size_t>(-1) ? 1 : 0;
}
