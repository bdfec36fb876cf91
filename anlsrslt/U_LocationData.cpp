// Location data: property getters by cross-cast, creation and the order of locations.
#include "U_LocationData.h"

#include "LocDataPropertyMap.h"

U_Location U_LocationData::includeLocation() const
{
    if (!hasIncludeLocation())
        return U_Location(); // the cross-cast below costs far more than this virtual call
    const auto* property = dynamic_cast<const InclLoc*>(this);
    return property ? property->includeLocation() : U_Location();
}

U_Handle<U_MacroHistory> U_LocationData::macroHistory() const
{
    const auto* property = dynamic_cast<const MacroHist*>(this);
    return property ? property->macroHistory() : U_Handle<U_MacroHistory>();
}

U_Filename U_LocationData::presumedFile() const
{
    const auto* property = dynamic_cast<const HLLoc*>(this);
    return property ? property->presumedFile() : U_Filename();
}

std::int32_t U_LocationData::presumedLine() const
{
    const auto* property = dynamic_cast<const HLLoc*>(this);
    return property ? property->presumedLine() : 0;
}

U_Location U_LocationData::instantiatedFrom() const
{
    const auto* property = dynamic_cast<const InstFromLoc*>(this);
    return property ? property->instantiatedFrom() : U_Location();
}

U_Handle<U_EntityDisplayName> U_LocationData::instantiatedEntity() const
{
    const auto* property = dynamic_cast<const InstFromLoc*>(this);
    return property ? property->entityName() : U_Handle<U_EntityDisplayName>();
}

std::int32_t U_LocationData::instantiatedDepth() const
{
    const auto* property = dynamic_cast<const InstFromLoc*>(this);
    return property ? property->depth() : 0;
}

U_Location U_LocationData::calledFrom() const
{
    const auto* property = dynamic_cast<const CalledFromLoc*>(this);
    return property ? property->calledFrom() : U_Location();
}

U_Location U_LocationData::create(const U_Filename& file, std::int32_t line, std::int32_t column)
{
    return U_Location(new LocDataPropertyMap<NoInclLoc, NoMacroHist, NoHLLoc, NoInstFromLoc, NoCalledFromLoc>(
        file, line, column, {}, {}, {}, {}, {}));
}

U_Location U_LocationData::create(const U_Filename& file, std::int32_t line, std::int32_t column,
                                  const U_Location& includeLocation)
{
    return create(file, line, column, includeLocation, nullptr);
}

U_Location U_LocationData::create(const U_Filename& file, std::int32_t line, std::int32_t column,
                                  const U_Location& includeLocation,
                                  const U_Handle<U_MacroHistory>& macroHistory)
{
    if (includeLocation && macroHistory)
        return U_Location(new LocDataPropertyMap<InclLoc, MacroHist, NoHLLoc, NoInstFromLoc, NoCalledFromLoc>(
            file, line, column, InclLoc(includeLocation), MacroHist(macroHistory), {}, {}, {}));
    if (includeLocation)
        return U_Location(new LocDataPropertyMap<InclLoc, NoMacroHist, NoHLLoc, NoInstFromLoc, NoCalledFromLoc>(
            file, line, column, InclLoc(includeLocation), {}, {}, {}, {}));
    if (macroHistory)
        return U_Location(new LocDataPropertyMap<NoInclLoc, MacroHist, NoHLLoc, NoInstFromLoc, NoCalledFromLoc>(
            file, line, column, {}, MacroHist(macroHistory), {}, {}, {}));
    return create(file, line, column);
}

int U_LocationData::compare(const U_LocationData& a, const U_LocationData& b)
{
    if (a.file_.fullNameKey() == b.file_.fullNameKey()) {
        if (a.line_ != b.line_)
            return a.line_ < b.line_ ? -1 : 1;
        if (a.column_ != b.column_)
            return a.column_ < b.column_ ? -1 : 1;
        return 0;
    }
    return a.file_.fullName() < b.file_.fullName() ? -1 : 1;
}

int U_LocationData::compare(const U_Location& a, const U_Location& b)
{
    if (!a || !b)
        return a ? 1 : (b ? -1 : 0);
    return compare(*a, *b);
}
