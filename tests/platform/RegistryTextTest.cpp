// Registry string data: UTF-16LE to UTF-8 and back, zero terminators, surrogates and bad input.
#include "RegistryText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

} // namespace

TEST(RegistryTextTest, stringDataStopsAtTheFirstZeroUnit)
{
    EXPECT_EQ(platform::registryStringToUtf8(bytes({'a', 0, 'b', 0, 0, 0, 'c', 0})), "ab");
    EXPECT_EQ(platform::registryStringToUtf8(bytes({'a', 0, 'b', 0})), "ab");
    EXPECT_EQ(platform::registryStringToUtf8(""), "");
    // A zero byte inside a unit is not a terminator.
    EXPECT_EQ(platform::registryStringToUtf8(bytes({0, 0x30, 'x', 0, 0, 0})), "\xE3\x80\x80x");
}

TEST(RegistryTextTest, wholeConversionKeepsZeroUnitsAndHonoursTheStart)
{
    EXPECT_EQ(platform::utf16leToUtf8(bytes({0xFF, 0xFE, 'a', 0, 0, 0, 'b', 0}), 2), std::string("a\0b", 3));
}

TEST(RegistryTextTest, surrogatePairsAndUnpairedSurrogates)
{
    // U+1F600 as a pair, then a lone high surrogate before 'x', then a lone low surrogate at the end.
    const std::string data = bytes({0x3D, 0xD8, 0x00, 0xDE, 0x3D, 0xD8, 'x', 0, 0x00, 0xDE});
    EXPECT_EQ(platform::registryStringToUtf8(data), "\xF0\x9F\x98\x80\xEF\xBF\xBDx\xEF\xBF\xBD");
    // A high surrogate cut off by the terminator.
    EXPECT_EQ(platform::registryStringToUtf8(bytes({0x3D, 0xD8, 0, 0, 0x00, 0xDE})), "\xEF\xBF\xBD");
}

TEST(RegistryTextTest, oddTrailingByteIsIgnored)
{
    EXPECT_EQ(platform::registryStringToUtf8(bytes({'a', 0, 'b'})), "a");
}

TEST(RegistryTextTest, utf8RoundTripsThroughZeroTerminatedUtf16)
{
    const std::string text = "C:\\Dir \xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80";
    const std::string data = platform::utf8ToUtf16leZ(text);
    EXPECT_EQ(data.substr(data.size() - 2), std::string(2, '\0'));
    EXPECT_EQ(platform::registryStringToUtf8(data), text);
    EXPECT_EQ(platform::utf8ToUtf16leZ("\xFF" "a"), bytes({0xFD, 0xFF, 'a', 0, 0, 0}));
}
