// One step of a macro expansion: where it happened, which macro, and the next step.
#pragma once

#include "U_Identifier.h"
#include "U_Location.h"
#include "U_Ref.h"

class U_MacroHistory : public U_Ref {
public:
    U_MacroHistory(const U_Location& location, const U_Identifier& macro,
                   const U_Handle<U_MacroHistory>& next = nullptr);
    ~U_MacroHistory() override;

    const U_Location& location() const { return location_; }
    const U_Identifier& macro() const { return macro_; }
    const U_Handle<U_MacroHistory>& next() const { return next_; }

private:
    U_Location location_;
    U_Identifier macro_;
    U_Handle<U_MacroHistory> next_;
};
