// What a reader of an error file is to build of its diagnostics.
#pragma once

#include "U_Location.h"

#include <cstdint>

// A tool that needs only some diagnostics, or only some parameters, saves building the rest. The
// bytes are read and checked all the same (a file the full reading refuses is refused), and every
// location still enters the file's tables. Nested diagnostics (message lists) follow the diagnostic
// that holds them.
class M_ReadingInterest {
public:
    virtual ~M_ReadingInterest() = default;

    // Whether a diagnostic of the number is built; one that is not is handed to passedOver.
    virtual bool wantsDiagnostic(std::int32_t messageNumber) const = 0;
    // Whether a built diagnostic of the number gets its parameters; otherwise it has none.
    virtual bool wantsParameters(std::int32_t messageNumber) const = 0;
    // A diagnostic that was read but not built, in file order.
    virtual void passedOver(std::int32_t messageNumber, const U_Location& location, bool fourthFlag) = 0;
};
