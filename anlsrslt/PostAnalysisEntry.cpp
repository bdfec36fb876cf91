// Key and value of a post-analysis entry.
#include "PostAnalysisEntry.h"

#include "PostAnalysisAssertion.h"

#include <cstring>

namespace {

constexpr const char* kSeparators = " +-=";
constexpr const char* kMalformed = "! \"Value options should be:  option[ |=].*\"";

} // namespace

std::string entryKey(const char* entry)
{
    return std::string(entry, std::strcspn(entry, kSeparators));
}

std::string entryValue(const char* entry)
{
    const char* separator = entry + std::strcspn(entry, kSeparators);
    if (*separator == '\0')
        postAnalysisAssertionFailed("Option", 133, kMalformed);
    if (*separator == '+' || *separator == '-')
        postAnalysisAssertionFailed("Option", 144, kMalformed);
    return std::string(separator + 1);
}
