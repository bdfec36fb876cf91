// The generated Shift_JIS to UTF-16 table (tools/gen_sjis_utf16_table.py).
#pragma once

constexpr int kSjisUtf16Rows = 60;     // first bytes 0x81-0x9F, then 0xE0-0xFC
constexpr int kSjisUtf16Columns = 189; // second bytes 0x40-0xFC

extern const unsigned short kSjisUtf16Table[kSjisUtf16Rows][kSjisUtf16Columns];
