// Immutable location data: file, line, column and up to five optional properties.
#pragma once

#include "M_ObjectPool.h"
#include "U_EntityDisplayName.h"
#include "U_Filename.h"
#include "U_Location.h"
#include "U_Ref.h"

#include <cstdint>

class U_MacroHistory;

// The abstract base of the 32 property combinations (LocDataPropertyMap). A property is read by
// cross-casting to its class; the getters below do that and answer an empty value when absent.
class U_LocationData : public U_Ref {
public:
    M_POOLED_ALLOCATION
    U_LocationData(const U_Filename& file, std::int32_t line, std::int32_t column)
        : file_(file), line_(line), column_(column)
    {
    }
    ~U_LocationData() override = default;

    virtual bool hasIncludeLocation() const = 0;
    virtual bool hasMacroHistory() const = 0;
    virtual bool hasPresumedPosition() const = 0;
    virtual bool hasInstantiatedFrom() const = 0;
    virtual bool hasCalledFrom() const = 0;
    // The include location without taking a reference or cross-casting, for walks up the include
    // chain; null without the property. It lives as long as this location.
    virtual const U_LocationData* includingLocation() const = 0;

    // Each returns a new location data equal to this one plus the property.
    virtual U_Location withPresumedPosition(const U_Filename& file, std::int32_t line) const = 0;
    virtual U_Location withInstantiatedFrom(const U_Location& location,
                                            const U_Handle<U_EntityDisplayName>& name) const = 0;
    // Attaches the location at the far end of an existing called-from chain.
    virtual U_Location withCalledFrom(const U_Location& location) const = 0;

    const U_Filename& file() const { return file_; }
    std::int32_t line() const { return line_; }
    std::int32_t column() const { return column_; }

    U_Location includeLocation() const;
    U_Handle<U_MacroHistory> macroHistory() const;
    U_Filename presumedFile() const;
    std::int32_t presumedLine() const;
    U_Location instantiatedFrom() const;
    U_Handle<U_EntityDisplayName> instantiatedEntity() const;
    std::int32_t instantiatedDepth() const; // 0 without the property
    U_Location calledFrom() const;

    static U_Location create(const U_Filename& file, std::int32_t line, std::int32_t column);
    static U_Location create(const U_Filename& file, std::int32_t line, std::int32_t column,
                             const U_Location& includeLocation);
    // Has the include location or the macro history exactly when it is not null.
    static U_Location create(const U_Filename& file, std::int32_t line, std::int32_t column,
                             const U_Location& includeLocation,
                             const U_Handle<U_MacroHistory>& macroHistory);

    // -1, 0 or 1: same file by line then column, otherwise by the canonical paths' bytes.
    static int compare(const U_LocationData& a, const U_LocationData& b);
    // As above; a null location sorts before every other and equals another null.
    static int compare(const U_Location& a, const U_Location& b);

private:
    U_Filename file_;
    std::int32_t line_;
    std::int32_t column_;
};
