// JSON written by U_JsonWriter reads back through U_JsonValue; strings are escaped and always UTF-8.
#include "U_JsonValue.h"
#include "U_JsonWriter.h"

#include "TestSeed.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>

namespace {

std::string jsonString(std::string_view text)
{
    std::string out;
    U_JsonWriter::appendString(out, text);
    return out;
}

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool isUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                                                                   : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        std::uint32_t code = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// What a string reads back as: UTF-8 sequences unchanged, every other byte as its Latin-1 character.
std::string expectedReading(const std::string& bytes)
{
    std::string out;
    U_JsonWriter::appendString(out, bytes);
    return U_JsonValue::parse(out).string();
}

} // namespace

TEST(JsonWriterTest, escapesQuotesBackslashesAndControlCharacters)
{
    EXPECT_EQ(jsonString("a\"b\\c/d"), "\"a\\\"b\\\\c/d\"");
    EXPECT_EQ(jsonString(std::string("\n\r\t\b\f\x01\x1f\x7f", 8)), "\"\\n\\r\\t\\b\\f\\u0001\\u001f\x7f\"");
    EXPECT_EQ(jsonString(std::string("nul\0byte", 8)), "\"nul\\u0000byte\"");
}

TEST(JsonWriterTest, keepsUtf8AndTakesOtherBytesAsLatin1)
{
    EXPECT_EQ(jsonString("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"), "\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\"");
    // A Latin-1 e-acute, a lone continuation byte, an overlong slash, a surrogate, a cut sequence.
    EXPECT_EQ(jsonString("\xe9"), "\"\xc3\xa9\"");
    EXPECT_EQ(jsonString("\x80"), "\"\xc2\x80\"");
    EXPECT_EQ(jsonString("\xc0\xaf"), "\"\xc3\x80\xc2\xaf\"");
    EXPECT_EQ(jsonString("\xed\xa0\x80"), "\"\xc3\xad\xc2\xa0\xc2\x80\"");
    EXPECT_EQ(jsonString("\xe2\x82"), "\"\xc3\xa2\xc2\x82\"");
    // Shift_JIS bytes stay readable as what they were, byte for byte.
    EXPECT_TRUE(isUtf8(jsonString("\x83\x65\x83\x58\x83\x67")));
}

TEST(JsonWriterTest, placesCommasAndIndentsNestedValues)
{
    U_JsonWriter line;
    line.beginObject().member("type", "record").member("line", 12).key("list").beginArray().value(-1).value("x");
    line.beginObject().endObject().beginArray().endArray().endArray().endObject();
    EXPECT_EQ(line.text(), "{\"type\":\"record\",\"line\":12,\"list\":[-1,\"x\",{},[]]}");

    U_JsonWriter pretty(2);
    pretty.beginObject().member("a", 1).key("b").beginArray().value("c").endArray().endObject();
    EXPECT_EQ(pretty.text(), "{\n  \"a\": 1,\n  \"b\": [\n    \"c\"\n  ]\n}");
}

TEST(JsonValueTest, readsEveryKindAndDecodesEscapes)
{
    const U_JsonValue v = U_JsonValue::parse(
        " {\"s\":\"a\\u00e9\\ud83d\\ude00\\/\",\"n\":-12.5e1,\"h\":0.5,\"i\":42,\"t\":true,\"f\":false,\"z\":null,"
        "\"a\":[1,[2],{}]} \r\n");
    ASSERT_TRUE(v.isObject());
    EXPECT_EQ(v.stringAt("s"), "a\xc3\xa9\xf0\x9f\x98\x80/");
    EXPECT_DOUBLE_EQ(v.find("n")->number(), -125);
    EXPECT_EQ(v.integerAt("i"), 42);
    EXPECT_EQ(v.integerAt("n", 7), -125); // a whole number, written with an exponent
    EXPECT_EQ(v.integerAt("h", 7), 7);   // not a whole number
    EXPECT_EQ(v.integerAt("s", 7), 7);
    EXPECT_TRUE(v.find("t")->boolean());
    EXPECT_EQ(v.find("f")->kind(), U_JsonValue::Kind::Boolean);
    EXPECT_EQ(v.find("z")->kind(), U_JsonValue::Kind::Null);
    EXPECT_EQ(v.find("a")->items().size(), 3u);
    EXPECT_EQ(v.find("missing"), nullptr);
    EXPECT_EQ(v.stringAt("missing", "fallback"), "fallback");
}

TEST(JsonValueTest, refusesMalformedTextWithTheOffset)
{
    for (const char* bad : {"", "{", "{\"a\"}", "{\"a\":1,}", "[1 2]", "\"open", "\"\\x\"", "\"\\ud800\"",
                            "\"\\udc00\"", "01", "1.", "-", "tru", "{} {}", "\"tab\there\"", "[1]x"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(U_JsonValue::parse(bad), U_JsonError);
    }
    try {
        U_JsonValue::parse("[1, ]");
        FAIL();
    } catch (const U_JsonError& e) {
        EXPECT_NE(std::string(e.what()).find("offset 4"), std::string::npos) << e.what();
    }
    // Nesting is bounded instead of exhausting the stack.
    EXPECT_THROW(U_JsonValue::parse(std::string(100000, '[')), U_JsonError);
    EXPECT_NO_THROW(U_JsonValue::parse(std::string(100, '[') + std::string(100, ']')));
}

// Random documents of random bytes: everything the writer writes is UTF-8 and reads back with the
// same structure, numbers and (repaired) strings, compact and indented alike.
TEST(JsonRoundTripTest, everythingWrittenReadsBack)
{
    const unsigned seed = testsupport::testSeed("JsonRoundTripTest");
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const auto randomText = [&] {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 24)(random);
        static const std::string pieces[] = {"\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x98\x80", "\"", "\\", "\n"};
        for (int i = 0; i < length; ++i) {
            if (random() % 4 == 0)
                text += pieces[random() % 6];
            else
                text += static_cast<char>(random() % 256);
        }
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        const int indent = round % 2 == 0 ? 0 : 2;
        U_JsonWriter writer(indent);
        // A record-like object: strings, integers, and a nested array of strings.
        std::vector<std::pair<std::string, std::string>> strings;
        std::vector<std::int64_t> numbers;
        writer.beginObject();
        const int members = 1 + static_cast<int>(random() % 8);
        for (int m = 0; m < members; ++m) {
            const std::string value = randomText();
            strings.emplace_back("s" + std::to_string(m), value);
            writer.member("s" + std::to_string(m), value);
            const std::int64_t number = static_cast<std::int64_t>(random()) - 0x80000000LL;
            numbers.push_back(number);
            writer.member("n" + std::to_string(m), number);
        }
        std::vector<std::string> items;
        writer.key("items").beginArray();
        for (int i = static_cast<int>(random() % 4); i > 0; --i) {
            items.push_back(randomText());
            writer.value(items.back());
        }
        writer.endArray().endObject();

        const std::string& text = writer.text();
        ASSERT_TRUE(isUtf8(text)) << text;
        if (indent == 0) {
            ASSERT_EQ(text.find('\n'), std::string::npos) << "a record must stay on one line";
        }
        const U_JsonValue read = U_JsonValue::parse(text);
        ASSERT_EQ(read.members().size(), static_cast<std::size_t>(2 * members + 1));
        for (int m = 0; m < members; ++m) {
            const std::string& original = strings[static_cast<std::size_t>(m)].second;
            const std::string back = read.stringAt("s" + std::to_string(m));
            EXPECT_EQ(back, expectedReading(original));
            if (isUtf8(original)) {
                EXPECT_EQ(back, original);
            }
            EXPECT_EQ(read.integerAt("n" + std::to_string(m)), numbers[static_cast<std::size_t>(m)]);
        }
        const auto& readItems = read.find("items")->items();
        ASSERT_EQ(readItems.size(), items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(readItems[i].string(), expectedReading(items[i]));
    }
}
