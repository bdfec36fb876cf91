// The two rules files read before an error file, with what their reading writes held back.
#pragma once

#include "MessageRule.h"
#include "ParameterRule.h"

#include "M_Diagnostic.h"

#include <cstdint>
#include <exception>
#include <iosfwd>
#include <string>
#include <vector>

// Knowing the rules before the error file is read lets the reader build only the diagnostics that a
// rule can reach. The reading's effects stay where they always were, after the error file: the
// lines it writes (warnings about unusable rules, a missing parameter file) are held back, as is
// whatever it raises (a missing message file stops the run), until release(). A file whose
// diagnostics are all suppressed never releases them, so it shows neither.
//
// With kept digests (RulesDigestStore), a rules file whose digest an earlier run left is not parsed:
// its reports come from the digest, and narrowTo() makes the rule sets of the numbers that the
// file's candidates carry.
class RulesReadAhead {
public:
    // Reads the message rules, then, unless that raised, the parameter rules; through the kept
    // digests when useDigests is set.
    explicit RulesReadAhead(const std::string& programDirectory, bool useDigests = false);

    // Whether the message or parameter rules have a rule of the number; false when the reading
    // raised.
    bool hasMessageRules(std::int32_t messageNumber) const;
    bool hasParameterRules(std::int32_t messageNumber) const;

    // Makes the rule sets of a deferred reading for the numbers of the candidates. False when a
    // digest turned out not to describe its rules file: nothing of this reading may be used then.
    bool narrowTo(const std::vector<M_DiagnosticHandle>& candidates);

    // Null when the reading raised; a deferred reading's sets before narrowTo().
    const MessageRuleSet& messageRules() const { return messageRules_; }
    const ParameterRuleSet& parameterRules() const { return parameterRules_; }

    // What the answers of the two readings' rules are kept under: their content ids. Empty when
    // the reading raised or a reading with rules has no content id (it was not kept).
    std::string contentIds() const;

    // Writes the held lines to the stream, flushing after each as the readings do, then raises
    // what the reading raised, if anything.
    void release(std::ostream& out) const;

private:
    MessageRuleSet messageRules_;
    ParameterRuleSet parameterRules_;
    std::shared_ptr<DeferredRules<MessageRule>> deferredMessageRules_;
    std::shared_ptr<DeferredRules<ParameterRule>> deferredParameterRules_;
    std::string written_;
    std::exception_ptr raised_;
};
