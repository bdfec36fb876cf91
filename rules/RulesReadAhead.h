// The two rules files read before an error file, with what their reading writes held back.
#pragma once

#include "MessageRule.h"
#include "ParameterRule.h"

#include <exception>
#include <iosfwd>
#include <string>

// Knowing the rules before the error file is read lets the reader build only the diagnostics that a
// rule can reach. The reading's effects stay where they always were, after the error file: the
// lines it writes (warnings about unusable rules, a missing parameter file) are held back, as is
// whatever it raises (a missing message file stops the run), until release(). A file whose
// diagnostics are all suppressed never releases them, so it shows neither.
class RulesReadAhead {
public:
    // Reads the message rules, then, unless that raised, the parameter rules.
    explicit RulesReadAhead(const std::string& programDirectory);

    // Null when the reading raised.
    const MessageRuleSet& messageRules() const { return messageRules_; }
    const ParameterRuleSet& parameterRules() const { return parameterRules_; }

    // Writes the held lines to the stream, flushing after each as the readings do, then raises
    // what the reading raised, if anything.
    void release(std::ostream& out) const;

private:
    MessageRuleSet messageRules_;
    ParameterRuleSet parameterRules_;
    std::string written_;
    std::exception_ptr raised_;
};
