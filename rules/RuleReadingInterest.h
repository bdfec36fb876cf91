// The diagnostics of an error file that the rules can reach, as a reading interest.
#pragma once

#include "MessageRule.h"
#include "ParameterRule.h"
#include "RulesReadAhead.h"

#include "M_ReadingInterest.h"
#include "U_LocationData.h" // the location handles need the complete type

#include <cstdint>
#include <vector>

// A diagnostic is built when a message rule or a parameter rule names its number, and gets its
// parameters only when a parameter rule does. The others are kept as number, location and fourth
// flag, which is enough to tell whether the file has a diagnostic that is not yet suppressed.
// Without rule sets (their reading raised), no diagnostic is built.
class RuleReadingInterest : public M_ReadingInterest {
public:
    struct PassedOver {
        std::int32_t messageNumber;
        U_Location location;
        bool fourthFlag;
    };

    RuleReadingInterest(const MessageRuleSet& messageRules, const ParameterRuleSet& parameterRules);
    // The rules read ahead, complete or deferred.
    explicit RuleReadingInterest(const RulesReadAhead& rules);

    bool wantsDiagnostic(std::int32_t messageNumber) const override;
    bool wantsParameters(std::int32_t messageNumber) const override;
    void passedOver(std::int32_t messageNumber, const U_Location& location, bool fourthFlag) override;

    const std::vector<PassedOver>& passedOverDiagnostics() const { return passedOver_; }

private:
    const RuleSet<MessageRule>* messageRules_ = nullptr;
    const RuleSet<ParameterRule>* parameterRules_ = nullptr;
    const RulesReadAhead* readAhead_ = nullptr;
    std::vector<PassedOver> passedOver_;
};
