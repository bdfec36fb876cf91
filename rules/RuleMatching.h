// Matching candidate diagnostics against message rules (source-line text) and parameter rules.
#pragma once

#include "DiagnosticEntry.h"
#include "MessageRule.h"
#include "ParameterRule.h"

#include <vector>

using MatchList = std::vector<M_DiagnosticHandle>;

// Tests each entry with a line above 0 whose number
// has rules against the text of its source line: every source file is opened only when one of its
// entries has rules and is read once, forwards. The first matching rule of an entry appends its
// diagnostic. A source file that cannot be opened raises SuppressionStop
// ("Failed to open <path> Aborting.").
// The rules are taken in the set's sorted order (stably by message number).
MatchList matchMessageRules(const RuleSet<MessageRule>& rules, const DiagnosticEntries& entries);
MatchList matchMessageRules(const MessageRules& rules, const DiagnosticEntries& entries);

// Tests every string parameter of
// each entry whose number has rules: the first rule of the parameter's 1-based position that
// matches its text appends the diagnostic (once per matching parameter). List parameters are never
// tested and no source file is read.
// The rules are taken in the set's sorted order (stably by message number, then position).
MatchList matchParameterRules(const RuleSet<ParameterRule>& rules, const DiagnosticEntries& entries);
MatchList matchParameterRules(const ParameterRules& rules, const DiagnosticEntries& entries);
