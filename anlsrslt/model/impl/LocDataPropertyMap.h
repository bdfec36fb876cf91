// The location-data class template: one instantiation per combination of the five properties.
#pragma once

#include "U_LocationProperties.h"

#include <type_traits>

// Parameters, in order: include location, macro history, presumed position, instantiated-from,
// called-from; each is the property class or its empty twin. An instantiation stores exactly the
// properties it has; adding one creates the instantiation that has it too.
template <class Incl, class Macro, class Presumed, class InstFrom, class CalledFrom>
class LocDataPropertyMap final : public U_LocationData,
                                 public Incl,
                                 public Macro,
                                 public Presumed,
                                 public InstFrom,
                                 public CalledFrom {
public:
    LocDataPropertyMap(const U_Filename& file, std::int32_t line, std::int32_t column,
                       const Incl& incl, const Macro& macro, const Presumed& presumed,
                       const InstFrom& instFrom, const CalledFrom& calledFrom)
        : U_LocationData(file, line, column), Incl(incl), Macro(macro), Presumed(presumed),
          InstFrom(instFrom), CalledFrom(calledFrom)
    {
    }

    bool hasIncludeLocation() const override { return std::is_same<Incl, InclLoc>::value; }
    bool hasMacroHistory() const override { return std::is_same<Macro, MacroHist>::value; }
    bool hasPresumedPosition() const override { return std::is_same<Presumed, HLLoc>::value; }
    bool hasInstantiatedFrom() const override { return std::is_same<InstFrom, InstFromLoc>::value; }
    bool hasCalledFrom() const override { return std::is_same<CalledFrom, CalledFromLoc>::value; }
    const U_LocationData* includingLocation() const override
    {
        if constexpr (std::is_same<Incl, InclLoc>::value)
            return Incl::includeLocation().get();
        else
            return nullptr;
    }

    U_Location withPresumedPosition(const U_Filename& file, std::int32_t line) const override
    {
        return U_Location(new LocDataPropertyMap<Incl, Macro, HLLoc, InstFrom, CalledFrom>(
            this->file(), this->line(), this->column(), *this, *this, HLLoc(file, line), *this, *this));
    }

    U_Location withInstantiatedFrom(const U_Location& location,
                                    const U_Handle<U_EntityDisplayName>& name) const override
    {
        const std::int32_t depth =
            location && location->hasInstantiatedFrom() ? location->instantiatedDepth() + 1 : 1;
        return U_Location(new LocDataPropertyMap<Incl, Macro, Presumed, InstFromLoc, CalledFrom>(
            file(), line(), column(), *this, *this, *this, InstFromLoc(location, name, depth), *this));
    }

    U_Location withCalledFrom(const U_Location& location) const override
    {
        return U_Location(new LocDataPropertyMap<Incl, Macro, Presumed, InstFrom, CalledFromLoc>(
            file(), line(), column(), *this, *this, *this, *this,
            CalledFromLoc(extendedChain(location))));
    }

private:
    // The far end of the existing chain gets the new location; without a chain it is the chain.
    U_Location extendedChain(const U_Location& location) const
    {
        if constexpr (std::is_same<CalledFrom, CalledFromLoc>::value) {
            const U_Location& existing = this->CalledFromLoc::calledFrom();
            if (existing)
                return existing->withCalledFrom(location);
        }
        return location;
    }
};
