// Row and cell arithmetic of JIS X 0208 / JIS X 0213 and the Shift_JIS-2004 rule between them.
#pragma once

// A two-byte JIS character: plane 1 or 2, row and cell 1 to 94 when valid.
struct QL_JisChar {
    int plane = 1;
    int row = 0;
    int cell = 0;
};

// True for the first byte of a Shift_JIS pair (0x81-0x9F, 0xE0-0xFC).
bool isSjisLead(int byte);
// True for a second byte of a Shift_JIS pair (0x40-0xFC).
bool isSjisTrail(int byte);

// The JIS row and cell of a Shift_JIS pair by the Shift_JIS-2004 rule; first bytes 0xF0 to 0xFC are
// plane 2. The arithmetic is applied to any second byte, so row and cell may lie outside 1 to 94.
QL_JisChar sjisToJis(int first, int second);

// The Shift_JIS pair of a JIS character; false when it has none (a plane-2 row outside the rows of
// Shift_JIS-2004, or a row or cell outside 1 to 94).
bool jisToSjis(const QL_JisChar& jis, int& first, int& second);

// The character written for one that the target encoding cannot hold: the geta mark (row 2, cell 14).
constexpr QL_JisChar kGetaMark{1, 2, 14};

// The full-width JIS character (plane 1) of a half-width katakana byte 0xA1 to 0xDF; with a following
// voiced (0xDE) or semi-voiced (0xDF) sound mark, the combined kana where there is one (merged set to
// true), else the plain kana (merged false).
QL_JisChar fullWidthKana(int halfWidth, int nextByte, bool& merged);
