// Every converter on arbitrary bytes: no crash, no hang, and only the documented error.
#include "QL_Convert.h"
#include "QL_Destination.h"
#include "QL_Encoding.h"
#include "QL_Source.h"
#include "QL_TranslateException.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using E = QL_Encoding;

const int kAllCodes[] = {E::Invalid, E::Plain, E::EUC, E::SJ, E::OLDJ, E::NEWJ, E::NECJ, E::J213, E::UTF16};

// Sinks that take everything, including UTF-16 units.
class CountingDestination : public Destination {
public:
    void close() override {}
    void putWide(std::uint16_t) override { ++units; }
    void putByte(int) override { ++units; }
    void putText(const std::string& text) override { units += text.size(); }
    std::size_t units = 0;
};

// Bytes that favour the interesting ones: escapes, shift codes, line ends, lead and trail bytes.
std::string randomText(std::mt19937& random)
{
    static const int pieces[] = {0x1B, '$', '(', 'B', '@', 'J', 'K', 'H', 'P', 'O', 0x0E, 0x0F, '\n', '\r',
                                 0x8E, 0x8F, 0x81, 0x9F, 0xE0, 0xF0, 0xFC, 0xA1, 0xDE, 0xDF, 0xFE, 0x40, 0x7F};
    std::uniform_int_distribution<int> length(0, 48);
    std::uniform_int_distribution<int> kind(0, 2);
    std::uniform_int_distribution<int> anyByte(1, 255);
    std::uniform_int_distribution<int> piece(0, sizeof pieces / sizeof pieces[0] - 1);
    std::string text;
    for (int i = length(random); i > 0; --i)
        text += static_cast<char>(kind(random) == 0 ? pieces[piece(random)] : anyByte(random));
    return text;
}

} // namespace

TEST(RandomConvertTest, everyPairOfEncodingsSurvivesArbitraryBytes)
{
    std::mt19937 random(20240607);
    for (int round = 0; round < 1500; ++round) {
        const std::string text = randomText(random);
        for (int from : kAllCodes) {
            for (int to : kAllCodes) {
                StringSource source(text);
                CountingDestination out;
                try {
                    convertStream(source, out, from, to);
                } catch (const C_ConfigurationException& e) {
                    ASSERT_EQ(to, E::UTF16) << "only UTF-16 output rejects input";
                    ASSERT_STREQ(e.what(), "Character out of range.  Missing -en?");
                }
                // Every converter writes at most a few units for each byte it reads.
                ASSERT_LE(out.units, text.size() * 8 + 8) << from << " -> " << to;
            }
        }
    }
}

TEST(RandomConvertTest, textConversionsStaySafeAndRoundTripValidJapanese)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> row(0xA1, 0xFE);
    std::uniform_int_distribution<int> kana(0xA1, 0xDF);
    std::uniform_int_distribution<int> ascii(0x20, 0x7E);
    std::uniform_int_distribution<int> kind(0, 4);
    for (int round = 0; round < 2000; ++round) {
        // Valid EUC-JP without half-width katakana converts to every form and back unchanged.
        std::string euc;
        for (int i = kind(random) * 6; i > 0; --i) {
            switch (kind(random)) {
            case 0:
                euc += '\n';
                break;
            case 1:
                euc += static_cast<char>(ascii(random));
                break;
            case 2:
                euc += '\x8F';
                [[fallthrough]];
            default:
                euc += static_cast<char>(row(random));
                euc += static_cast<char>(row(random));
            }
        }
        EXPECT_EQ(convert(convert(euc, E::EUC, E::J213), E::J213, E::EUC), euc);
        if (euc.find('\x8F') == std::string::npos) {
            for (int to : {E::SJ, E::OLDJ, E::NEWJ, E::NECJ})
                EXPECT_EQ(convert(convert(euc, E::EUC, to), to, E::EUC), euc) << to;
        }
        // Half-width katakana survives Shift_JIS and EUC both ways.
        std::string sjisKana;
        for (int i = kind(random); i > 0; --i)
            sjisKana += static_cast<char>(kana(random));
        EXPECT_EQ(convert(convert(sjisKana, E::SJ, E::EUC), E::EUC, E::SJ), sjisKana);
    }
}
