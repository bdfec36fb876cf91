// Key and value of a post-analysis entry.
#include "PostAnalysisEntry.h"

#include "PostAnalysisAssertion.h"

#include <cstring>

namespace {

constexpr const char* kSeparators = " +-=";

} // namespace

const char* const kMalformedEntryExpression = "! \"Value options should be:  option[ |=].*\"";

std::string entryKey(const char* entry)
{
    return std::string(entry, std::strcspn(entry, kSeparators));
}

bool entryHasValue(const char* entry)
{
    const char separator = entry[std::strcspn(entry, kSeparators)];
    return separator == ' ' || separator == '=';
}

int entryMalformedAssertionLine(const char* entry)
{
    return entry[std::strcspn(entry, kSeparators)] == '\0' ? 133 : 144;
}

std::string entryValue(const char* entry)
{
    if (!entryHasValue(entry))
        postAnalysisAssertionFailed("Option", entryMalformedAssertionLine(entry), kMalformedEntryExpression);
    return std::string(entry + std::strcspn(entry, kSeparators) + 1);
}
