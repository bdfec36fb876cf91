// Diagnostics: parameters, the "sort-messages" order.
#include "M_Diagnostic.h"

#include "M_OptionQueries.h"
#include "U_LocationData.h"

#include <algorithm>
#include <utility>

M_Diagnostic::M_Diagnostic(std::int32_t messageNumber) : messageNumber_(messageNumber) {}

M_Diagnostic::M_Diagnostic(std::int32_t messageNumber, const U_Location& location)
    : messageNumber_(messageNumber), location_(location)
{
}

M_Diagnostic::~M_Diagnostic() = default;

void M_Diagnostic::addStringParameter(const std::string& value)
{
    parameters_.emplace_back(new M_ParamStringType(value));
}

void M_Diagnostic::addStringParameter(std::string&& value)
{
    parameters_.emplace_back(new M_ParamStringType(std::move(value)));
}

void M_Diagnostic::addListParameter(const std::vector<std::string>& values)
{
    parameters_.emplace_back(new M_ParamListType(values));
}

void M_Diagnostic::addMessageListParameter(std::vector<U_Handle<M_Diagnostic>> messages)
{
    if (messages.size() > 1 && M_OptionQueries::hasDebugWord("sort-messages")) {
        std::stable_sort(messages.begin(), messages.end(),
                         [](const U_Handle<M_Diagnostic>& a, const U_Handle<M_Diagnostic>& b) {
                             return isLess(*a, *b);
                         });
    }
    parameters_.emplace_back(new M_ParamMsgListType(std::move(messages)));
}

bool M_Diagnostic::isLess(const M_Diagnostic& a, const M_Diagnostic& b)
{
    const int byLocation = U_LocationData::compare(a.location_, b.location_);
    if (byLocation != 0)
        return byLocation < 0;
    if (a.messageNumber_ != b.messageNumber_)
        return a.messageNumber_ < b.messageNumber_;
    if (a.parameters_.size() != b.parameters_.size())
        return a.parameters_.size() < b.parameters_.size();
    for (std::size_t i = 0; i < a.parameters_.size(); ++i) {
        const int byText = a.parameters_[i]->text().compare(b.parameters_[i]->text());
        if (byText != 0)
            return byText < 0;
    }
    return false;
}
