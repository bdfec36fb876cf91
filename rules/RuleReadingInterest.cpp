// Choosing the diagnostics to build by the message numbers the rules name.
#include "RuleReadingInterest.h"

RuleReadingInterest::RuleReadingInterest(const MessageRuleSet& messageRules, const ParameterRuleSet& parameterRules)
    : messageRules_(messageRules.get()), parameterRules_(parameterRules.get())
{
}

RuleReadingInterest::RuleReadingInterest(const RulesReadAhead& rules) : readAhead_(&rules) {}

bool RuleReadingInterest::wantsDiagnostic(std::int32_t messageNumber) const
{
    if (readAhead_)
        return readAhead_->hasMessageRules(messageNumber) || readAhead_->hasParameterRules(messageNumber);
    return (messageRules_ && messageRules_->index().hasRules(messageNumber)) || wantsParameters(messageNumber);
}

bool RuleReadingInterest::wantsParameters(std::int32_t messageNumber) const
{
    if (readAhead_)
        return readAhead_->hasParameterRules(messageNumber);
    return parameterRules_ && parameterRules_->index().hasRules(messageNumber);
}

void RuleReadingInterest::passedOver(std::int32_t messageNumber, const U_Location& location, bool fourthFlag)
{
    passedOver_.push_back(PassedOver{messageNumber, location, fourthFlag});
}
