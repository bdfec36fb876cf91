// Why an error file could not be read: the cause the reader found, for a message that names it.
#pragma once

#include <cstddef>
#include <string>

struct M_ReadFailure {
    enum class Cause {
        none,
        missing,        // no file at the path
        notReadable,    // it exists but cannot be opened or read (a directory, no permission)
        notAnErrorFile, // its first word is no format id the reader knows
        damaged,        // a record cannot be read: truncated, malformed, or nested too deep
    };
    Cause cause = Cause::none;
    std::size_t offset = 0; // for a damaged file: where the record that cannot be read starts

    // "missing", "not readable", "not an error file" or "damaged at byte <offset>".
    std::string text() const;
};
