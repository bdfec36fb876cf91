// Matching candidate diagnostics against message rules (source-line text) and parameter rules.
#pragma once

#include "DiagnosticEntry.h"
#include "MessageRule.h"
#include "ParameterRule.h"

#include <string>
#include <vector>

// A diagnostic that a rule hides, with the rule that hid it: what the report of a run tells.
template <class Rule>
struct RuleMatch {
    M_DiagnosticHandle diagnostic;
    const Rule* rule = nullptr; // in the rule set that was matched
    // The text the rule matched (the source line, or the parameter), kept only when asked for.
    std::string matchedText;
};

using MessageMatches = std::vector<RuleMatch<MessageRule>>;
using ParameterMatches = std::vector<RuleMatch<ParameterRule>>;
using MatchList = std::vector<M_DiagnosticHandle>;

// Tests each entry with a line above 0 whose number
// has rules against the text of its source line: every source file is opened only when one of its
// entries has rules and is read once, forwards. The first matching rule of an entry appends its
// diagnostic. A source file that cannot be opened raises SuppressionStop
// ("Failed to open <path> Aborting.").
// The rules are taken in the set's sorted order (stably by message number). With keepMatchedText
// every match holds the source line it matched.
MessageMatches matchMessageRules(const RuleSet<MessageRule>& rules, const DiagnosticEntries& entries,
                                 bool keepMatchedText = false);
MatchList matchMessageRules(const MessageRules& rules, const DiagnosticEntries& entries);

// Tests every string parameter of
// each entry whose number has rules: the first rule of the parameter's 1-based position that
// matches its text appends the diagnostic (once per matching parameter). List parameters are never
// tested and no source file is read.
// The rules are taken in the set's sorted order (stably by message number, then position). With
// keepMatchedText every match holds the parameter it matched.
ParameterMatches matchParameterRules(const RuleSet<ParameterRule>& rules, const DiagnosticEntries& entries,
                                     bool keepMatchedText = false);
MatchList matchParameterRules(const ParameterRules& rules, const DiagnosticEntries& entries);

// The matched diagnostics in order.
template <class Rule>
MatchList diagnosticsOf(const std::vector<RuleMatch<Rule>>& matches)
{
    MatchList diagnostics;
    diagnostics.reserve(matches.size());
    for (const RuleMatch<Rule>& match : matches)
        diagnostics.push_back(match.diagnostic);
    return diagnostics;
}
