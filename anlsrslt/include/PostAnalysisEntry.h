// Splitting a post-analysis entry such as "suppressions_txt=rules.txt" into its key and value.
#pragma once

#include <string>

// The text before the first of blank, "+", "-", "="; the whole entry when it has none of them.
std::string entryKey(const char* entry);

// The text after that first character when it is a blank or "=". An entry without such a
// character, or whose first one is "+" or "-", is a malformed-entry assertion.
std::string entryValue(const char* entry);

// Whether the entry has a value: its first separator is a blank or "=".
bool entryHasValue(const char* entry);

// The line of the malformed-entry assertion for an entry without a value: 133 when it has no
// separator, 144 when its first one is "+" or "-".
int entryMalformedAssertionLine(const char* entry);

// The expression text of the malformed-entry assertion.
extern const char* const kMalformedEntryExpression;
