// The encoding codes of the translation layer: each a distinct bit, so sets of them fit in an int.
#pragma once

struct QL_Encoding {
    static constexpr int Invalid = 1; // rejected as an input file encoding
    static constexpr int Plain = 2;   // single-byte text: never converted
    static constexpr int EUC = 4;     // EUC-JP, the internal form of Japanese text
    static constexpr int SJ = 8;      // Shift_JIS (Shift_JIS-2004 rule for plane 2)
    static constexpr int OLDJ = 16;   // 7-bit JIS: ESC "$@" two-byte set, ESC "(J" single-byte set
    static constexpr int NEWJ = 32;   // 7-bit JIS: ESC "$B" and ESC "(J"
    static constexpr int NECJ = 64;   // 7-bit JIS, NEC form: ESC "K" enters, ESC "H" ends two-byte
    static constexpr int J213 = 128;  // 7-bit JIS X 0213: ESC "$B", ESC "(J", ESC "$(P" for plane 2
    static constexpr int UTF16 = 256; // output only

    // True for the four 7-bit JIS variants.
    static constexpr bool isSevenBitJis(int code)
    {
        return code == OLDJ || code == NEWJ || code == NECJ || code == J213;
    }
};
