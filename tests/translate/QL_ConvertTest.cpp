// The converters: Shift_JIS and EUC-JP both ways, the 7-bit JIS variants, half-width katakana,
// UTF-16, and the pairs that copy.
#include "QL_Convert.h"
#include "QL_Destination.h"
#include "QL_Encoding.h"
#include "QL_JisCodes.h"
#include "QL_Source.h"
#include "QL_TranslateException.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using E = QL_Encoding;

const std::string kEsc = "\x1B";

std::string bytes(std::initializer_list<int> values)
{
    std::string text;
    for (int value : values)
        text += static_cast<char>(value);
    return text;
}

std::vector<int> sjisLeadBytes()
{
    std::vector<int> leads;
    for (int b = 0x81; b <= 0x9F; ++b)
        leads.push_back(b);
    for (int b = 0xE0; b <= 0xFC; ++b)
        leads.push_back(b);
    return leads;
}

std::vector<int> sjisTrailBytes()
{
    std::vector<int> trails;
    for (int b = 0x40; b <= 0xFC; ++b) {
        if (b != 0x7F)
            trails.push_back(b);
    }
    return trails;
}

} // namespace

// 日本語テキスト
const std::string kSjisText = bytes({0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA, 0x83, 0x65, 0x83, 0x4C, 0x83, 0x58, 0x83, 0x67});
const std::string kEucText = bytes({0xC6, 0xFC, 0xCB, 0xDC, 0xB8, 0xEC, 0xA5, 0xC6, 0xA5, 0xAD, 0xA5, 0xB9, 0xA5, 0xC8});
const std::string kJisBody = "F|K\\8l%F%-%9%H";

TEST(ConvertTest, sjisToEucAndBack)
{
    EXPECT_EQ(convert("a " + kSjisText + " b\n", E::SJ, E::EUC), "a " + kEucText + " b\n");
    EXPECT_EQ(convert("a " + kEucText + " b\n", E::EUC, E::SJ), "a " + kSjisText + " b\n");
}

TEST(ConvertTest, sjisEucRoundTripOverEveryTwoByteCodeOfBothPlanes)
{
    int planeTwo = 0;
    for (int lead : sjisLeadBytes()) {
        for (int trail : sjisTrailBytes()) {
            const std::string sjis = bytes({lead, trail});
            const std::string euc = convert(sjis, E::SJ, E::EUC);
            if (lead >= 0xF0) {
                ASSERT_EQ(euc.size(), 3u);
                ASSERT_EQ(static_cast<unsigned char>(euc[0]), 0x8F);
                ++planeTwo;
            } else {
                ASSERT_EQ(euc.size(), 2u);
            }
            for (std::size_t i = euc.size() - 2; i < euc.size(); ++i) {
                const auto b = static_cast<unsigned char>(euc[i]);
                ASSERT_TRUE(b >= 0xA1 && b <= 0xFE) << std::hex << lead << " " << trail;
            }
            ASSERT_EQ(convert(euc, E::EUC, E::SJ), sjis) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_EQ(planeTwo, 13 * 188);
}

TEST(ConvertTest, planeTwoFollowsShiftJis2004)
{
    // U+20089 (plane 2, row 1, cell 1) and U+4E02 (row 1, cell 2).
    EXPECT_EQ(convert(bytes({0xF0, 0x40, 0xF0, 0x41}), E::SJ, E::EUC),
              bytes({0x8F, 0xA1, 0xA1, 0x8F, 0xA1, 0xA2}));
    // Row 8 sits in the upper half of 0xF0; rows 78 and 79 in 0xF4 and 0xF5.
    EXPECT_EQ(convert(bytes({0xF0, 0x9F}), E::SJ, E::EUC), bytes({0x8F, 0xA8, 0xA1}));
    EXPECT_EQ(convert(bytes({0xF4, 0xFC}), E::SJ, E::EUC), bytes({0x8F, 0xEE, 0xFE}));
    EXPECT_EQ(convert(bytes({0xF5, 0x40}), E::SJ, E::EUC), bytes({0x8F, 0xEF, 0xA1}));
    EXPECT_EQ(convert(bytes({0xFC, 0xFC}), E::SJ, E::EUC), bytes({0x8F, 0xFE, 0xFE}));
}

TEST(ConvertTest, halfWidthKatakanaBetweenSjisAndEuc)
{
    EXPECT_EQ(convert(bytes({0xB1, 0xDE, 'x'}), E::SJ, E::EUC), bytes({0x8E, 0xB1, 0x8E, 0xDE, 'x'}));
    EXPECT_EQ(convert(bytes({0x8E, 0xB1, 0x8E, 0xDE}), E::EUC, E::SJ), bytes({0xB1, 0xDE}));
}

TEST(ConvertTest, sjisPairWithBadSecondByteIsCopied)
{
    EXPECT_EQ(convert(bytes({0x81, 0x20, 'a'}), E::SJ, E::EUC), bytes({0x81, 0x20, 'a'}));
    // Both bytes are copied, whatever the byte after them.
    EXPECT_EQ(convert(bytes({0x81, 0xFD, 0x40}), E::SJ, E::EUC), bytes({0x81, 0xFD, 0x40}));
    EXPECT_EQ(convert(bytes({0x81}), E::SJ, E::EUC), bytes({0x81}));
}

TEST(ConvertTest, eucOddSequencesAreCopied)
{
    EXPECT_EQ(convert(bytes({0x8E, 'A'}), E::EUC, E::SJ), bytes({0x8E, 'A'}));
    EXPECT_EQ(convert(bytes({0xA4, 'A'}), E::EUC, E::SJ), bytes({0xA4, 'A'}));
    EXPECT_EQ(convert(bytes({0x8F, 'A'}), E::EUC, E::SJ), bytes({0x8F, 'A'}));
    EXPECT_EQ(convert(bytes({0xC6}), E::EUC, E::SJ), bytes({0xC6}));
    // Plane-2 row 2 has no Shift_JIS form: the geta mark stands in for it.
    EXPECT_EQ(convert(bytes({0x8F, 0xA2, 0xA1}), E::EUC, E::SJ), bytes({0x81, 0xAC}));
}

TEST(ConvertTest, eucToEachSevenBitVariant)
{
    const std::string text = "a" + kEucText + "b\n";
    EXPECT_EQ(convert(text, E::EUC, E::NEWJ), "a" + kEsc + "$B" + kJisBody + kEsc + "(Jb\n");
    EXPECT_EQ(convert(text, E::EUC, E::OLDJ), "a" + kEsc + "$@" + kJisBody + kEsc + "(Jb\n");
    EXPECT_EQ(convert(text, E::EUC, E::NECJ), "a" + kEsc + "K" + kJisBody + kEsc + "Hb\n");
    EXPECT_EQ(convert(text, E::EUC, E::J213), "a" + kEsc + "$B" + kJisBody + kEsc + "(Jb\n");
}

TEST(ConvertTest, sevenBitReturnsToSingleByteBeforeLineEndsAndAtTheEnd)
{
    EXPECT_EQ(convert(kEucText.substr(0, 2) + "\n" + kEucText.substr(2, 2), E::EUC, E::NEWJ),
              kEsc + "$BF|" + kEsc + "(J\n" + kEsc + "$BK\\" + kEsc + "(J");
    EXPECT_EQ(convert(kSjisText.substr(0, 2) + "\r\n", E::SJ, E::NECJ), kEsc + "KF|" + kEsc + "H\r\n");
}

TEST(ConvertTest, planeTwoInSevenBitJis)
{
    const std::string euc = bytes({0x8F, 0xA1, 0xA2, 0xC6, 0xFC});
    EXPECT_EQ(convert(euc, E::EUC, E::J213), kEsc + "$(P!\"" + kEsc + "$BF|" + kEsc + "(J");
    EXPECT_EQ(convert(kEsc + "$(P!\"" + kEsc + "$BF|" + kEsc + "(J", E::J213, E::EUC), euc);
    // Variants without plane 2 write the geta mark.
    EXPECT_EQ(convert(euc, E::EUC, E::NEWJ), kEsc + "$B\".F|" + kEsc + "(J");
}

TEST(ConvertTest, sevenBitToEucAndSjis)
{
    const std::string jis = "a" + kEsc + "$B" + kJisBody + kEsc + "(Jb\n";
    EXPECT_EQ(convert(jis, E::NEWJ, E::EUC), "a" + kEucText + "b\n");
    EXPECT_EQ(convert(jis, E::NEWJ, E::SJ), "a" + kSjisText + "b\n");
    EXPECT_EQ(convert("a" + kEsc + "K" + kJisBody + kEsc + "Hb", E::NECJ, E::EUC), "a" + kEucText + "b");
    EXPECT_EQ(convert(kEsc + "$(B" + kJisBody, E::J213, E::EUC), kEucText);
    EXPECT_EQ(convert(kEsc + "$(O" + kJisBody, E::J213, E::EUC), kEucText);
    EXPECT_EQ(convert(kEsc + "$(P!!", E::J213, E::SJ), bytes({0xF0, 0x40}));
}

TEST(ConvertTest, lineEndReturnsSevenBitInputToSingleByteSet)
{
    EXPECT_EQ(convert(kEsc + "$BF|\nF|", E::NEWJ, E::EUC), bytes({0xC6, 0xFC, '\n', 'F', '|'}));
    EXPECT_EQ(convert(kEsc + "$BF|" + kEsc + "(BF|", E::NEWJ, E::EUC), bytes({0xC6, 0xFC, 'F', '|'}));
}

TEST(ConvertTest, shiftOutSelectsHalfWidthKatakanaInSevenBitInput)
{
    const std::string jis = "x\x0E" "1^\x0Fy";
    EXPECT_EQ(convert(jis, E::NEWJ, E::EUC), bytes({'x', 0x8E, 0xB1, 0x8E, 0xDE, 'y'}));
    EXPECT_EQ(convert(jis, E::NEWJ, E::SJ), bytes({'x', 0xB1, 0xDE, 'y'}));
}

TEST(ConvertTest, oldJisTwoByteEscapeIsReadAsTwoByteSet)
{
    const std::string oldj = "a" + kEsc + "$@" + kJisBody + kEsc + "(Jb";
    EXPECT_EQ(convert(oldj, E::OLDJ, E::EUC), "a" + kEucText + "b");
}

TEST(ConvertTest, newJisToOldJisRewritesEveryEscape)
{
    const std::string newj = "a" + kEsc + "$B" + kJisBody + kEsc + "(Jb\nc" + kEsc + "$BF|" + kEsc + "(Jd\n";
    const std::string oldj = "a" + kEsc + "$@" + kJisBody + kEsc + "(Jb\nc" + kEsc + "$@F|" + kEsc + "(Jd\n";
    EXPECT_EQ(convert(newj, E::NEWJ, E::OLDJ), oldj);
    EXPECT_EQ(convert(oldj, E::OLDJ, E::NEWJ), newj);
    EXPECT_EQ(convert(newj, E::NEWJ, E::EUC), convert(oldj, E::OLDJ, E::EUC)) << "same characters";
}

TEST(ConvertTest, sevenBitVariantsConvertBetweenEachOther)
{
    const int variants[] = {E::OLDJ, E::NEWJ, E::NECJ, E::J213};
    const std::string euc = "x" + kEucText + "y\nz" + kEucText.substr(0, 4) + "\n";
    for (int from : variants) {
        const std::string source = convert(euc, E::EUC, from);
        for (int to : variants) {
            const std::string target = convert(source, from, to);
            EXPECT_EQ(target, convert(euc, E::EUC, to)) << from << " -> " << to;
            EXPECT_EQ(convert(target, to, E::EUC), euc) << from << " -> " << to;
        }
    }
}

TEST(ConvertTest, sevenBitCopyAddsSingleByteEscapeBeforeLineEndAndAtEnd)
{
    EXPECT_EQ(convert(kEsc + "$BF|\nx" + kEsc + "$BF|", E::NEWJ, E::NECJ),
              kEsc + "KF|" + kEsc + "H\nx" + kEsc + "KF|" + kEsc + "H");
}

TEST(ConvertTest, everyEucCharacterSurvivesEverySevenBitVariant)
{
    std::string euc;
    for (int row = 0xA1; row <= 0xFE; ++row) {
        for (int cell = 0xA1; cell <= 0xFE; ++cell)
            euc += bytes({row, cell});
        euc += "\n";
    }
    for (int variant : {E::OLDJ, E::NEWJ, E::NECJ, E::J213})
        EXPECT_EQ(convert(convert(euc, E::EUC, variant), variant, E::EUC), euc) << variant;
}

TEST(ConvertTest, halfWidthKatakanaBecomesFullWidthWithVoicedMarksMerged)
{
    // ｶﾞ ｷ ﾊﾟ ｳﾞ ｱﾞ ｰ ｡ : ga ki pa vu a + voiced mark, prolonged sound mark, full stop.
    const std::string sjis = bytes({0xB6, 0xDE, 0xB7, 0xCA, 0xDF, 0xB3, 0xDE, 0xB1, 0xDE, 0xB0, 0xA1});
    const std::string expected = kEsc + "$B%,%-%Q%t%\"!+!<!#" + kEsc + "(J";
    EXPECT_EQ(convert(sjis, E::SJ, E::NEWJ), expected);
    std::string euc;
    for (char c : sjis)
        euc += bytes({0x8E, static_cast<unsigned char>(c)});
    EXPECT_EQ(convert(euc, E::EUC, E::NEWJ), expected);
}

TEST(ConvertTest, everyHalfWidthKatakanaHasAFullWidthForm)
{
    // The standard correspondence, as EUC bytes of the full-width characters.
    const std::string expected =
        "\xA1\xA3\xA1\xD6\xA1\xD7\xA1\xA2\xA1\xA6\xA5\xF2\xA5\xA1\xA5\xA3\xA5\xA5\xA5\xA7\xA5\xA9\xA5\xE3"
        "\xA5\xE5\xA5\xE7\xA5\xC3\xA1\xBC\xA5\xA2\xA5\xA4\xA5\xA6\xA5\xA8\xA5\xAA\xA5\xAB\xA5\xAD\xA5\xAF"
        "\xA5\xB1\xA5\xB3\xA5\xB5\xA5\xB7\xA5\xB9\xA5\xBB\xA5\xBD\xA5\xBF\xA5\xC1\xA5\xC4\xA5\xC6\xA5\xC8"
        "\xA5\xCA\xA5\xCB\xA5\xCC\xA5\xCD\xA5\xCE\xA5\xCF\xA5\xD2\xA5\xD5\xA5\xD8\xA5\xDB\xA5\xDE\xA5\xDF"
        "\xA5\xE0\xA5\xE1\xA5\xE2\xA5\xE4\xA5\xE6\xA5\xE8\xA5\xE9\xA5\xEA\xA5\xEB\xA5\xEC\xA5\xED\xA5\xEF"
        "\xA5\xF3\xA1\xAB\xA1\xAC";
    std::string sjis;
    for (int b = 0xA1; b <= 0xDF; ++b) {
        sjis += static_cast<char>(b);
        sjis += ' '; // keeps voiced marks from merging
    }
    std::string eucBack = convert(convert(sjis, E::SJ, E::NEWJ), E::NEWJ, E::EUC);
    std::string withoutSpaces;
    for (char c : eucBack) {
        if (c != ' ')
            withoutSpaces += c;
    }
    EXPECT_EQ(withoutSpaces, expected);
}

TEST(ConvertTest, utf16UnitsOfTheListedCodes)
{
    EXPECT_EQ(sjisPairToUtf16(0x81, 0x40), 0x3000);
    EXPECT_EQ(sjisPairToUtf16(0x81, 0x5F), 0xFF3C);
    EXPECT_EQ(sjisPairToUtf16(0x81, 0x60), 0x301C);
    EXPECT_EQ(sjisPairToUtf16(0x81, 0x61), 0x2016);
    EXPECT_EQ(sjisPairToUtf16(0x81, 0x7C), 0x2212);
    EXPECT_EQ(sjisPairToUtf16(0x81, 0x91), 0xFFE0);
    EXPECT_EQ(sjisPairToUtf16(0x81, 0xCA), 0xFFE2);
    EXPECT_EQ(sjisPairToUtf16(0x87, 0x40), 0x2460);
    EXPECT_EQ(sjisPairToUtf16(0xED, 0x40), 0x7843);
    EXPECT_EQ(sjisPairToUtf16(0xFA, 0x40), 0x8C57);
    EXPECT_EQ(sjisPairToUtf16(0x81, 0x7F), 0x817F);
    EXPECT_EQ(sjisPairToUtf16(0xF0, 0x40), 0xF040);
}

TEST(ConvertTest, utf16TableCoversJisX0208)
{
    EXPECT_EQ(sjisPairToUtf16(0x82, 0xA0), 0x3042); // hiragana a
    EXPECT_EQ(sjisPairToUtf16(0x83, 0x40), 0x30A1); // katakana small a
    EXPECT_EQ(sjisPairToUtf16(0x88, 0x9F), 0x4E9C); // first kanji of level 1
    EXPECT_EQ(sjisPairToUtf16(0x98, 0x9F), 0x5F0C); // first kanji of level 2
    EXPECT_EQ(sjisPairToUtf16(0xEA, 0xA4), 0x7199); // last kanji of JIS X 0208
    EXPECT_EQ(sjisPairToUtf16(0x87, 0x9C), 0x222A); // last of the NEC special row
    EXPECT_EQ(sjisPairToUtf16(0x81, 0xAD), 0x81AD); // no character there
    EXPECT_EQ(sjisPairToUtf16(0x9F, 0xFC), 0x6ECC);
    EXPECT_EQ(sjisPairToUtf16(0xFC, 0xFC), 0xFCFC);
}

TEST(ConvertTest, utf16GoesOnlyToFilesAsFourByteUnits)
{
    // A text destination drops UTF-16 units.
    EXPECT_EQ(convert(kSjisText, E::SJ, E::UTF16), "");

    const std::string path = ::testing::TempDir() + "/utf16_units.bin";
    {
        StringSource source(bytes({0x81, 0x40, 'A', 0x5C, 0x7E, 0xB1, 0x87, 0x40}));
        FileDestination destination;
        ASSERT_TRUE(destination.open(path));
        convertStream(source, destination, E::SJ, E::UTF16);
        destination.close();
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string written;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        written += static_cast<char>(c);
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(written, bytes({0x00, 0x30, 0, 0, 'A', 0, 0, 0, 0xA5, 0, 0, 0, 0x3E, 0x20, 0, 0, 0x71, 0xFF, 0, 0,
                              0x60, 0x24, 0, 0}));
}

// Collects UTF-16 units, to check conversions without a file.
class WideCollector : public Destination {
public:
    void close() override {}
    void putWide(std::uint16_t unit) override { units.push_back(unit); }
    void putByte(int) override {}
    void putText(const std::string&) override {}
    std::vector<std::uint16_t> units;
};

TEST(ConvertTest, eucToUtf16GoesThroughShiftJis)
{
    StringSource source(kEucText + bytes({0x8E, 0xDF, 'A'}));
    WideCollector out;
    convertStream(source, out, E::EUC, E::UTF16);
    EXPECT_EQ(out.units, (std::vector<std::uint16_t>{0x65E5, 0x672C, 0x8A9E, 0x30C6, 0x30AD, 0x30B9, 0x30C8,
                                                     0xFF9F, 'A'}));
}

TEST(ConvertTest, singleBytesInUtf16)
{
    StringSource source(bytes({0x5C, 0x7E, 0xA1, 0xDF, 0x80, 0xA0, 0xFD, 0x01}));
    WideCollector out;
    convertStream(source, out, E::SJ, E::UTF16);
    EXPECT_EQ(out.units, (std::vector<std::uint16_t>{0xA5, 0x203E, 0xFF61, 0xFF9F, 0x80, 0xA0, 0xFD, 0x01}));
}

TEST(ConvertTest, badSecondByteForUtf16IsAnError)
{
    for (const std::string& text : {bytes({0x81, 0x30}), bytes({0x81}), bytes({0x82, 0xFD})}) {
        StringSource source(text);
        WideCollector out;
        try {
            convertStream(source, out, E::SJ, E::UTF16);
            ADD_FAILURE() << "no exception";
        } catch (const C_ConfigurationException& e) {
            EXPECT_STREQ(e.what(), "Character out of range.  Missing -en?");
        }
    }
}

TEST(ConvertTest, otherPairsCopy)
{
    const std::string text = bytes({0x82, 0xA0, 0x1B, '$', 'B', 0x8E, 0xFF, 'x'});
    for (int from : {E::Invalid, E::Plain, E::EUC, E::SJ, E::OLDJ, E::UTF16}) {
        EXPECT_EQ(convert(text, from, from), text) << from;
        EXPECT_EQ(convert(text, from, E::Plain), text) << from;
        EXPECT_EQ(convert(text, E::Plain, from), text) << from;
        EXPECT_EQ(convert(text, E::UTF16, from), text) << from;
    }
}

TEST(ConvertTest, resultEndsAtFirstZeroByte)
{
    EXPECT_EQ(convert(std::string("ab\0cd", 5), E::SJ, E::EUC), "ab");
}

TEST(ConvertTest, internalAndOutputFormsLeavePlainAndEucAlone)
{
    EXPECT_EQ(toInternal(kSjisText, E::Plain), kSjisText);
    EXPECT_EQ(toInternal(kSjisText, E::EUC), kSjisText);
    EXPECT_EQ(toOutput(kEucText, E::Plain), kEucText);
    EXPECT_EQ(toOutput(kEucText, E::EUC), kEucText);
    EXPECT_EQ(toInternal(kSjisText, E::SJ), kEucText);
    EXPECT_EQ(toOutput(kEucText, E::SJ), kSjisText);
    EXPECT_EQ(toInternal(kEsc + "$B" + kJisBody, E::NEWJ), kEucText);
    EXPECT_EQ(toOutput(kEucText, E::NECJ), kEsc + "K" + kJisBody + kEsc + "H");
}

TEST(JisCodesTest, sjisRuleAtTheEdges)
{
    int first = 0;
    int second = 0;
    EXPECT_TRUE(jisToSjis({1, 1, 1}, first, second));
    EXPECT_EQ(first, 0x81);
    EXPECT_EQ(second, 0x40);
    EXPECT_TRUE(jisToSjis({1, 94, 94}, first, second));
    EXPECT_EQ(first, 0xEF);
    EXPECT_EQ(second, 0xFC);
    EXPECT_TRUE(jisToSjis({1, 1, 64}, first, second));
    EXPECT_EQ(second, 0x80) << "0x7F is skipped";
    EXPECT_FALSE(jisToSjis({2, 2, 1}, first, second));
    EXPECT_FALSE(jisToSjis({1, 0, 1}, first, second));
    EXPECT_FALSE(jisToSjis({1, 1, 95}, first, second));
}
