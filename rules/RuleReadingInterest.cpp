// Choosing the diagnostics to build by the message numbers the rules name.
#include "RuleReadingInterest.h"

RuleReadingInterest::RuleReadingInterest(const MessageRuleSet& messageRules, const ParameterRuleSet& parameterRules)
    : messageRules_(messageRules.get()), parameterRules_(parameterRules.get())
{
}

bool RuleReadingInterest::wantsDiagnostic(std::int32_t messageNumber) const
{
    return (messageRules_ && messageRules_->index().hasRules(messageNumber)) || wantsParameters(messageNumber);
}

bool RuleReadingInterest::wantsParameters(std::int32_t messageNumber) const
{
    return parameterRules_ && parameterRules_->index().hasRules(messageNumber);
}

void RuleReadingInterest::passedOver(std::int32_t messageNumber, const U_Location& location, bool fourthFlag)
{
    passedOver_.push_back(PassedOver{messageNumber, location, fourthFlag});
}
