// Macro-expansion steps.
#include "U_MacroHistory.h"

#include "U_LocationData.h"

U_MacroHistory::U_MacroHistory(const U_Location& location, const U_Identifier& macro,
                               const U_Handle<U_MacroHistory>& next)
    : location_(location), macro_(macro), next_(next)
{
}

U_MacroHistory::~U_MacroHistory() = default;
