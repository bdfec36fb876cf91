// Fuzz target: the tokeniser of via files and the personal options file (quotes, "*" comments,
// backslash continuation, "$" substitution) in every input encoding, on arbitrary file contents.
#include "C_FileSource.h"
#include "QL_Encoding.h"

#include "FuzzSupport.h"

#include <cstdlib>
#include <exception>

namespace {

const int kEncodings[] = {QL_Encoding::Plain, QL_Encoding::EUC, QL_Encoding::SJ,
                          QL_Encoding::OLDJ,  QL_Encoding::NEWJ, QL_Encoding::J213};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::setUpProcess();
    ::setenv("ZEMBFUZZ", "value with blanks", 1);
    ::setenv("ZEMBFUZZ_EMPTY", "", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text = fuzzsupport::bytesOf(data, size);
    const unsigned selector = fuzzsupport::takeSelector(text);
    const std::string path = fuzzsupport::scratch().file("input.via");
    testsupport::writeBytes(path, text);

    const int encoding = kEncodings[selector % (sizeof(kEncodings) / sizeof(kEncodings[0]))];
    const bool substitute = (selector & 0x80) == 0;
    try {
        const U_Handle<C_FileSource> source(new C_FileSource(path, encoding));
        // Every argument takes at least one byte of the file, so the count bounds the loop.
        for (std::size_t n = 0; n <= text.size() + 1; ++n) {
            if (source->nextArgument(substitute).empty())
                break;
        }
    } catch (const std::exception&) {
        // Text the encoding cannot hold is a reported configuration error.
    }
    return 0;
}
