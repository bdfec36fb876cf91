// Building and ordering the candidate entries of one error file.
#include "DiagnosticEntry.h"

#include "U_LocationData.h"

#include <algorithm>

DiagnosticEntries buildEntries(const std::vector<M_DiagnosticHandle>& candidates)
{
    DiagnosticEntries entries;
    entries.reserve(candidates.size());
    for (const auto& candidate : candidates) {
        if (!candidate || !candidate->location())
            continue;
        const U_LocationData& location = *candidate->location();
        entries.push_back(DiagnosticEntry{location.file().fullNameKey(), location.line(),
                                          candidate->messageNumber(), candidate});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const DiagnosticEntry& a, const DiagnosticEntry& b) {
        if (a.path != b.path) {
            const int order = a.path->compare(*b.path);
            if (order != 0)
                return order < 0;
        }
        return a.line < b.line;
    });
    return entries;
}
