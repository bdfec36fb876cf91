// Conversion of text between the run's encoding and the internal one (plain or EUC-JP).
//
// Every incoming value (command-line values, via files, configuration files, environment values) is
// passed through toInternal with the run encoding; every text shown to the user or handed to the
// platform through toOutput with the run encoding.
#pragma once

#include <string>

class Source;
class Destination;

// Converts a text from one encoding code (QL_Encoding) to another; the result ends at its first zero
// byte. Pairs without a converter copy the bytes unchanged. Raises C_ConfigurationException
// ("Character out of range.  Missing -en?") for an invalid Shift_JIS pair when producing UTF-16.
std::string convert(const std::string& text, int from, int to);

// convert(text, from, EUC), or the text unchanged when from is Plain or EUC.
std::string toInternal(const std::string& text, int from);
// convert(text, EUC, to), or the text unchanged when to is Plain or EUC.
std::string toOutput(const std::string& text, int to);

// The converter dispatch: reads the source to its end and writes the destination.
//   SJ <-> EUC (JIS X 0213 plane-2 rule), 7-bit JIS -> EUC/SJ, EUC/SJ -> 7-bit JIS (half-width
//   katakana made full-width), 7-bit JIS -> other 7-bit JIS (escapes rewritten), SJ/EUC -> UTF16;
//   every other pair copies the bytes.
// A character the target cannot hold (a plane-2 character in Shift_JIS outside the rows of
// Shift_JIS-2004, or in a 7-bit variant without a plane-2 escape) is written as the geta mark.
// 7-bit input also takes ESC "$@" (the form OLDJ writes) and ESC "$(Q" as entering the two-byte set.
void convertStream(Source& source, Destination& destination, int from, int to);

// The UTF-16 unit of a Shift_JIS pair (first byte 0x81-0x9F or 0xE0-0xFC, second 0x40-0xFC), from
// the generated table.
unsigned short sjisPairToUtf16(int first, int second);
