// Fuzz target: every text converter, for every pair of encodings, on arbitrary bytes.
#include "QL_Convert.h"
#include "QL_Destination.h"
#include "QL_Encoding.h"
#include "QL_Source.h"

#include "FuzzSupport.h"

#include <exception>

namespace {

const int kEncodings[] = {QL_Encoding::Plain, QL_Encoding::EUC,  QL_Encoding::SJ,   QL_Encoding::OLDJ,
                          QL_Encoding::NEWJ,  QL_Encoding::NECJ, QL_Encoding::J213, QL_Encoding::UTF16};
constexpr unsigned kCount = sizeof(kEncodings) / sizeof(kEncodings[0]);

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::setUpProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text = fuzzsupport::bytesOf(data, size);
    const unsigned selector = fuzzsupport::takeSelector(text);
    const int from = kEncodings[selector % kCount];
    const int to = kEncodings[(selector / kCount) % kCount];
    try {
        (void)convert(text, from, to);
    } catch (const std::exception&) {
        // An invalid Shift_JIS pair bound for UTF-16 is refused with a configuration error.
    }
    try {
        (void)toInternal(text, from);
        (void)toOutput(text, to);
    } catch (const std::exception&) {
    }
    try {
        StringSource source(text);
        StringDestination destination;
        convertStream(source, destination, from, to);
    } catch (const std::exception&) {
    }
    return 0;
}
