// A candidate diagnostic with the file and line its message rules are tested at, and their order.
#pragma once

#include "U_LocationData.h" // before M_Diagnostic.h: its location handles need the complete type
#include "M_Diagnostic.h"

#include <cstdint>
#include <string>
#include <vector>

struct DiagnosticEntry {
    const std::string* path = nullptr; // canonical full path of the location's file (interned)
    std::int32_t line = 0;
    std::int32_t messageNumber = 0;
    M_DiagnosticHandle diagnostic;
};

using DiagnosticEntries = std::vector<DiagnosticEntry>;

// One entry per candidate that has a location, sorted stably by path (byte by byte), then line.
// A candidate without a location is left out: a suppression record cannot name "no location".
DiagnosticEntries buildEntries(const std::vector<M_DiagnosticHandle>& candidates);
