// Code page conversions through iconv; the host's own text is UTF-8.
#include "CodePage.h"

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

const char* const kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD

// Converts with iconv from `from` to `to`; an input sequence that cannot be converted is skipped
// (one byte, or the whole UTF-8 character when `from` is UTF-8) and `replacement` written instead.
// False when anything was replaced or the conversion is unknown.
bool convert(const std::string& input, const std::string& from, const std::string& to, const char* replacement,
             std::string& output)
{
    output.clear();
    const iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        output.assign(input.size(), '?');
        return false;
    }
    bool exact = true;
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (r != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: a sequence that has no conversion, or is cut off or malformed.
        exact = false;
        output += replacement;
        std::size_t skip = 1;
        if (from == "UTF-8") {
            const unsigned char c = static_cast<unsigned char>(*in);
            skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            // A malformed sequence is skipped by its lead byte alone.
            for (std::size_t i = 1; i < skip; ++i) {
                if (i >= inLeft || (static_cast<unsigned char>(in[i]) & 0xC0) != 0x80) {
                    skip = 1;
                    break;
                }
            }
        }
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return exact;
}

std::string iconvName(unsigned codePage)
{
    return "CP" + std::to_string(codePage);
}

} // namespace

unsigned batchFileCodePage()
{
    return kUtf8CodePage;
}

unsigned fileNameCodePage()
{
    return kUtf8CodePage;
}

unsigned redirectedOutputCodePage()
{
    return kUtf8CodePage;
}

bool utf8ToCodePage(const std::string& utf8, unsigned codePage, std::string& bytes)
{
    if (codePage == kUtf8CodePage) {
        bytes = utf8;
        return true;
    }
    return convert(utf8, "UTF-8", iconvName(codePage), "?", bytes);
}

std::string codePageToUtf8(const std::string& bytes, unsigned codePage)
{
    if (codePage == kUtf8CodePage)
        return bytes;
    std::string utf8;
    convert(bytes, iconvName(codePage), "UTF-8", kReplacementUtf8, utf8);
    return utf8;
}

} // namespace platform
