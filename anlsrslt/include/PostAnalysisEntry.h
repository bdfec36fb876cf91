// Splitting a post-analysis entry such as "suppressions_txt=rules.txt" into its key and value.
#pragma once

#include <string>

// The text before the first of blank, "+", "-", "="; the whole entry when it has none of them.
std::string entryKey(const char* entry);

// The text after that first character when it is a blank or "=". An entry without such a
// character, or whose first one is "+" or "-", is a malformed-entry assertion.
std::string entryValue(const char* entry);
