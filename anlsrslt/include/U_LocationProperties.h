// The five optional properties of a location and their empty twins.
#pragma once

#include "U_LocationData.h"
#include "U_MacroHistory.h"

// Include location: where the directive that brought this file in stands.
class InclLoc {
public:
    explicit InclLoc(const U_Location& location) : location_(location) {}
    virtual ~InclLoc() = default;
    const U_Location& includeLocation() const { return location_; }

private:
    U_Location location_;
};

class NoInclLoc {
public:
    virtual ~NoInclLoc() = default;
};

// The first step of the macro expansions that produced the text.
class MacroHist {
public:
    explicit MacroHist(const U_Handle<U_MacroHistory>& history) : history_(history) {}
    virtual ~MacroHist() = default;
    const U_Handle<U_MacroHistory>& macroHistory() const { return history_; }

private:
    U_Handle<U_MacroHistory> history_;
};

class NoMacroHist {
public:
    virtual ~NoMacroHist() = default;
};

// Presumed position, as a line directive gave it.
class HLLoc {
public:
    HLLoc(const U_Filename& file, std::int32_t line) : file_(file), line_(line) {}
    virtual ~HLLoc() = default;
    const U_Filename& presumedFile() const { return file_; }
    std::int32_t presumedLine() const { return line_; }

private:
    U_Filename file_;
    std::int32_t line_;
};

class NoHLLoc {
public:
    virtual ~NoHLLoc() = default;
};

// The template instantiation the code came from, and how deep that chain is.
class InstFromLoc {
public:
    InstFromLoc(const U_Location& location, const U_Handle<U_EntityDisplayName>& name,
                std::int32_t depth)
        : location_(location), name_(name), depth_(depth)
    {
    }
    virtual ~InstFromLoc() = default;
    const U_Location& instantiatedFrom() const { return location_; }
    const U_Handle<U_EntityDisplayName>& entityName() const { return name_; }
    std::int32_t depth() const { return depth_; }

private:
    U_Location location_;
    U_Handle<U_EntityDisplayName> name_;
    std::int32_t depth_;
};

class NoInstFromLoc {
public:
    virtual ~NoInstFromLoc() = default;
};

// The call site this code was reached from.
class CalledFromLoc {
public:
    explicit CalledFromLoc(const U_Location& location) : location_(location) {}
    virtual ~CalledFromLoc() = default;
    const U_Location& calledFrom() const { return location_; }

private:
    U_Location location_;
};

class NoCalledFromLoc {
public:
    virtual ~NoCalledFromLoc() = default;
};
