// Text that is not UTF-8 is taken byte by byte as Latin-1; UTF-8 stays as it is.
#include "U_Utf8Text.h"

#include <gtest/gtest.h>

TEST(Utf8TextTest, keepsUtf8AndTakesOtherBytesAsLatin1)
{
    const struct {
        const char* what;
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"ASCII with control characters", std::string("a\0\n\x7f", 4), std::string("a\0\n\x7f", 4)},
        {"UTF-8 of two, three and four bytes", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"},
        {"a Latin-1 e-acute", "\xe9", "\xc3\xa9"},
        {"a lone continuation byte", "\x80", "\xc2\x80"},
        {"an overlong slash", "\xc0\xaf", "\xc3\x80\xc2\xaf"},
        {"a surrogate", "\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80"},
        {"a sequence cut off", "\xe2\x82", "\xc3\xa2\xc2\x82"},
        {"a value past U+10FFFF", "\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xc2\x80\xc2\x80"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8OrLatin1(c.bytes), c.utf8) << c.what;
}
