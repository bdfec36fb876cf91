// Conversions between UTF-8 and the code pages that batch files and redirected console output use.
#include "CodePage.h"

#include "TestSeed.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using platform::codePageToUtf8;
using platform::utf8ToCodePage;

TEST(CodePage, convertsToAndFromTheOemAndJapaneseCodePages)
{
    std::string bytes;
    EXPECT_TRUE(utf8ToCodePage("C:\\Gr\u00fc\u00dfe \u00e9t\u00e9", 850, bytes));
    EXPECT_EQ("C:\\Gr\x81\xe1" "e \x82t\x82", bytes);
    EXPECT_EQ("C:\\Gr\u00fc\u00dfe \u00e9t\u00e9", codePageToUtf8(bytes, 850));

    EXPECT_TRUE(utf8ToCodePage("C:\\\u65e5\u672c\u8a9e\\a.bat", 932, bytes));
    EXPECT_EQ("C:\\\x93\xfa\x96\x7b\x8c\xea\\a.bat", bytes);
    EXPECT_EQ("C:\\\u65e5\u672c\u8a9e\\a.bat", codePageToUtf8(bytes, 932));
}

TEST(CodePage, asciiAndUtf8AreWrittenAsTheyAre)
{
    const std::string ascii = "@echo off\r\nset PATH=C:\\ZembInt\\wrapper;%PATH%\n";
    for (const unsigned codePage : {437u, 850u, 932u, platform::kUtf8CodePage}) {
        std::string bytes;
        EXPECT_TRUE(utf8ToCodePage(ascii, codePage, bytes)) << codePage;
        EXPECT_EQ(ascii, bytes) << codePage;
        EXPECT_EQ(ascii, codePageToUtf8(ascii, codePage)) << codePage;
    }
    // UTF-8 is the identity, bytes that are not UTF-8 included.
    std::string bytes;
    EXPECT_TRUE(utf8ToCodePage("\u00fc\xff", platform::kUtf8CodePage, bytes));
    EXPECT_EQ("\u00fc\xff", bytes);
}

TEST(CodePage, characterWithoutRepresentationBecomesQuestionMarkWithoutLookAlike)
{
    std::string bytes;
    // No best fit: "\u0151" (o with double acute) must not become "o", which would name another file.
    EXPECT_FALSE(utf8ToCodePage("a\u0151b\u65e5", 850, bytes));
    EXPECT_EQ("a?b?", bytes);
    EXPECT_FALSE(utf8ToCodePage("C:\\\u00fc", 932, bytes));
    EXPECT_EQ("C:\\?", bytes);
    // Bytes that are not UTF-8 are not passed on as if they were the code page's.
    EXPECT_FALSE(utf8ToCodePage("a\xff" "b", 850, bytes));
    EXPECT_EQ(std::string::npos, bytes.find('\xff'));
}

TEST(CodePage, everySingleByteTextReadsBackAsWritten)
{
    std::mt19937 random(testsupport::testSeed("CodePage.everySingleByteTextReadsBackAsWritten"));
    std::uniform_int_distribution<int> byte(0x20, 0xFF);
    for (const unsigned codePage : {437u, 850u}) {
        for (int round = 0; round < 50; ++round) {
            std::string text;
            for (int i = 0; i < 40; ++i)
                text += static_cast<char>(byte(random));
            std::string back;
            EXPECT_TRUE(utf8ToCodePage(codePageToUtf8(text, codePage), codePage, back)) << codePage;
            EXPECT_EQ(text, back) << codePage;
        }
    }
}

TEST(CodePage, textCutInsideACharacterWaitsForItsRest)
{
    const std::string text = "ab\u00fc\u65e5";
    EXPECT_EQ(text.size(), platform::completeUtf8Length(text));
    // "ab", then the two bytes of "\u00fc", then the three of "\u65e5".
    EXPECT_EQ(4u, platform::completeUtf8Length(text.substr(0, 6)));
    EXPECT_EQ(4u, platform::completeUtf8Length(text.substr(0, 5)));
    EXPECT_EQ(2u, platform::completeUtf8Length(text.substr(0, 3)));
    EXPECT_EQ(4u, platform::completeUtf8Length(text.substr(0, 4)));
    EXPECT_EQ(0u, platform::completeUtf8Length(""));
}

} // namespace
