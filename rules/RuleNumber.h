// Reads the message number and position fields of rules lines.
#pragma once

#include <cstdint>
#include <string>

// The value of "0" followed by the text, read as the C library's atol/atoi do with a 32-bit long:
// leading decimal digits, anything else ends the number; a sign or a letter first gives 0. A value
// beyond the 32-bit range reads as the largest one, as the C library clamps it.
std::int32_t ruleNumber(const std::string& text);

// What a maintainer should check about a rule as the parser split it: a number field (the message
// number, and for a parameter rule the position, when given) that reads as 0, has text after its
// digits, or is too large, and a pattern that ends with a blank or a tab (the pattern keeps it, so
// "^reserved$ " never matches); the reading itself stays as it is. The warnings joined by "; ",
// empty when none.
std::string ruleFieldWarnings(const std::string& messageNumber, const std::string* position, const std::string& pattern);

// True when the line is empty or holds only blanks (the space character; other white space counts as text).
bool isBlankLine(const std::string& line);
