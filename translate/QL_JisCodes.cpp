// Shift_JIS-2004 arithmetic and the half-width to full-width katakana correspondence.
#include "QL_JisCodes.h"

namespace {

// Plane-2 rows of Shift_JIS-2004 for first bytes 0xF0 to 0xF4: the row of second bytes below 0x9F,
// then the row of second bytes from 0x9F.
constexpr int kPlane2Rows[5][2] = {{1, 8}, {3, 4}, {5, 12}, {13, 14}, {15, 78}};

// Full-width katakana (row << 8 | cell, plane 1) of the half-width bytes 0xA1 to 0xDF.
constexpr unsigned short kFullWidth[63] = {
    0x0103, 0x0136, 0x0137, 0x0102, 0x0106, 0x0552, 0x0501, 0x0503, 0x0505, 0x0507, 0x0509, // A1-AB
    0x0543, 0x0545, 0x0547, 0x0523, 0x011C,                                                 // AC-B0
    0x0502, 0x0504, 0x0506, 0x0508, 0x050A,                                                 // B1-B5 a i u e o
    0x050B, 0x050D, 0x050F, 0x0511, 0x0513,                                                 // B6-BA ka
    0x0515, 0x0517, 0x0519, 0x051B, 0x051D,                                                 // BB-BF sa
    0x051F, 0x0521, 0x0524, 0x0526, 0x0528,                                                 // C0-C4 ta
    0x052A, 0x052B, 0x052C, 0x052D, 0x052E,                                                 // C5-C9 na
    0x052F, 0x0532, 0x0535, 0x0538, 0x053B,                                                 // CA-CE ha
    0x053E, 0x053F, 0x0540, 0x0541, 0x0542,                                                 // CF-D3 ma
    0x0544, 0x0546, 0x0548,                                                                 // D4-D6 ya
    0x0549, 0x054A, 0x054B, 0x054C, 0x054D,                                                 // D7-DB ra
    0x054F, 0x0553, 0x010B, 0x010C,                                                         // DC-DF
};

} // namespace

bool isSjisLead(int byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isSjisTrail(int byte)
{
    return byte >= 0x40 && byte <= 0xFC;
}

QL_JisChar sjisToJis(int first, int second)
{
    QL_JisChar jis;
    int lowRow = 0;
    int highRow = 0;
    if (first <= 0x9F) {
        lowRow = (first - 0x81) * 2 + 1;
    } else if (first <= 0xEF) {
        lowRow = (first - 0xE0) * 2 + 63;
    } else {
        jis.plane = 2;
        if (first <= 0xF4) {
            lowRow = kPlane2Rows[first - 0xF0][0];
            highRow = kPlane2Rows[first - 0xF0][1];
        } else {
            lowRow = (first - 0xF5) * 2 + 79;
        }
    }
    if (highRow == 0)
        highRow = lowRow + 1;
    if (second >= 0x9F) {
        jis.row = highRow;
        jis.cell = second - 0x9E;
    } else {
        jis.row = lowRow;
        jis.cell = second - 0x3F - (second >= 0x80 ? 1 : 0);
    }
    return jis;
}

bool jisToSjis(const QL_JisChar& jis, int& first, int& second)
{
    if (jis.row < 1 || jis.row > 94 || jis.cell < 1 || jis.cell > 94)
        return false;
    bool low = (jis.row % 2) == 1;
    if (jis.plane == 1) {
        first = jis.row <= 62 ? (jis.row + 1) / 2 + 0x80 : (jis.row + 1) / 2 + 0xC0;
    } else if (jis.plane == 2) {
        if (jis.row >= 79) {
            first = (jis.row - 79) / 2 + 0xF5;
        } else {
            first = 0;
            for (int i = 0; i < 5; ++i) {
                if (kPlane2Rows[i][0] == jis.row || kPlane2Rows[i][1] == jis.row) {
                    first = 0xF0 + i;
                    low = kPlane2Rows[i][0] == jis.row;
                }
            }
            if (first == 0)
                return false;
        }
    } else {
        return false;
    }
    second = low ? jis.cell + 0x3F + (jis.cell >= 64 ? 1 : 0) : jis.cell + 0x9E;
    return true;
}

QL_JisChar fullWidthKana(int halfWidth, int nextByte, bool& merged)
{
    merged = false;
    const unsigned short code = kFullWidth[halfWidth - 0xA1];
    QL_JisChar jis{1, code >> 8, code & 0xFF};
    if (nextByte == 0xDE) {
        // Ka to to, and ha to ho, have voiced forms one cell on; u becomes vu.
        if ((halfWidth >= 0xB6 && halfWidth <= 0xC4) || (halfWidth >= 0xCA && halfWidth <= 0xCE)) {
            ++jis.cell;
            merged = true;
        } else if (halfWidth == 0xB3) {
            jis.cell = 0x54;
            merged = true;
        }
    } else if (nextByte == 0xDF && halfWidth >= 0xCA && halfWidth <= 0xCE) {
        jis.cell += 2;
        merged = true;
    }
    return jis;
}
