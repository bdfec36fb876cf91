// The one-line text form of a diagnostic, with the include, instantiation and call chains.
#include "M_Diagnostic.h"

#include "M_Messages.h"
#include "M_OptionQueries.h"
#include "U_LocationData.h"

namespace {

// The presumed position when there is one, otherwise the file and line.
void appendPosition(std::string& out, const U_LocationData& location, bool expand)
{
    const bool presumed = location.hasPresumedPosition();
    const U_Filename file = presumed ? location.presumedFile() : location.file();
    out += M_OptionQueries::outputText(expand ? file.fullName() : file.givenName());
    out += ':';
    out += std::to_string(presumed ? location.presumedLine() : location.line());
}

enum class Chain { Include, Instantiation, Call };

bool hasLink(const U_LocationData& location, Chain chain)
{
    switch (chain) {
    case Chain::Include:
        return location.hasIncludeLocation();
    case Chain::Instantiation:
        return location.hasInstantiatedFrom();
    case Chain::Call:
        return location.hasCalledFrom();
    }
    return false;
}

U_Location link(const U_LocationData& location, Chain chain)
{
    switch (chain) {
    case Chain::Include:
        return location.includeLocation();
    case Chain::Instantiation:
        return location.instantiatedFrom();
    case Chain::Call:
        return location.calledFrom();
    }
    return nullptr;
}

void appendChain(std::string& out, const U_Location& start, Chain chain, const char* label,
                 const char* number, bool expand)
{
    std::size_t steps = 0;
    U_Location current = start;
    while (current && hasLink(*current, chain)) {
        U_Location next = link(*current, chain);
        if (!next)
            break;
        out += ' ';
        out += label;
        out += " {";
        appendPosition(out, *next, expand);
        out += ':';
        out += std::to_string(next->column());
        out += ": Msg=";
        out += number;
        out += " #params=0";
        current = next;
        ++steps;
    }
    out.append(steps, '}');
}

} // namespace

std::string M_Diagnostic::text() const
{
    const bool expand = M_OptionQueries::expandFileNames();
    std::string out;
    if (location_) {
        appendPosition(out, *location_, expand);
        if (location_->column() > 0) {
            out += ':';
            out += std::to_string(location_->column());
        }
    } else {
        out += M_Messages::kNoFile;
    }
    out += ": Msg=";
    out += std::to_string(messageNumber_);
    out += " #params=";
    out += std::to_string(parameters_.size());
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
        out += i == 0 ? " {" : ", ";
        out += parameters_[i]->text();
    }
    if (!parameters_.empty())
        out += '}';
    if (hiddenByPragma_)
        out += " hidden by pragma";
    if (hiddenByUser_)
        out += hiddenByPragma_ ? ", user" : " hidden by user";
    if (location_) {
        if (M_OptionQueries::hasDebugWord("showInclLoc"))
            appendChain(out, location_, Chain::Include, "incl", "1599", expand);
        if (M_OptionQueries::hasDebugWord("showInstLoc"))
            appendChain(out, location_, Chain::Instantiation, "inst", "1597", expand);
        if (M_OptionQueries::hasDebugWord("showCallLoc"))
            appendChain(out, location_, Chain::Call, "call", "1570", expand);
    }
    return out;
}
