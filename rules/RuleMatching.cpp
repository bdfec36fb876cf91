// The two matchers of the suppression rules.
#include "RuleMatching.h"

#include "MatchSubject.h"
#include "RulesMessages.h"
#include "SuppressionStop.h"
#include "SourceFileCache.h"
#include "SourceLineCursor.h"

#include "M_ParamType.h"

#include <algorithm>
#include <optional>
#include <utility>

MatchList matchMessageRules(const RuleSet<MessageRule>& rules, const DiagnosticEntries& entries)
{
    const RuleIndex<MessageRule>& index = rules.index();

    MatchList matches;
    const std::string* currentPath = nullptr;
    std::optional<SourceLineCursor> source;
    // Diagnostics of one number on one line see the same text and the same rules, so the answer
    // for a (line, number) pair is worked out once; the list holds the pairs of the current line.
    std::int32_t answeredLine = 0;
    std::vector<std::pair<std::int32_t, bool>> answers;
    // The current line prepared for its rules' pre-checks, made when a first answer is needed.
    std::optional<MatchSubject> subject;
    for (const DiagnosticEntry& entry : entries) {
        if (entry.line <= 0 || !index.hasRules(entry.messageNumber))
            continue;
        if (currentPath == nullptr || (entry.path != currentPath && *entry.path != *currentPath)) {
            currentPath = entry.path;
            std::shared_ptr<const SourceText> text = SourceFileCache::load(*currentPath);
            if (!text)
                throw SuppressionStop(rulesmessages::kFailedToOpen + *currentPath + rulesmessages::kAborting);
            source.emplace(std::move(text));
            answeredLine = 0;
            answers.clear();
            subject.reset();
        }
        source->advanceTo(entry.line);
        if (source->lineNumber() != answeredLine) {
            answeredLine = source->lineNumber();
            answers.clear();
            subject.reset();
        }
        const auto known = std::find_if(answers.begin(), answers.end(),
                                        [&](const auto& answer) { return answer.first == entry.messageNumber; });
        bool matched;
        if (known != answers.end()) {
            matched = known->second;
        } else {
            if (!subject)
                subject.emplace(source->text());
            matched = index.anyOf(entry.messageNumber,
                                  [&](const MessageRule& rule) { return rule.compiled->matches(*subject); });
            answers.emplace_back(entry.messageNumber, matched);
        }
        if (matched)
            matches.push_back(entry.diagnostic);
    }
    return matches;
}

MatchList matchMessageRules(const MessageRules& rules, const DiagnosticEntries& entries)
{
    return matchMessageRules(RuleSet<MessageRule>(rules), entries);
}

MatchList matchParameterRules(const RuleSet<ParameterRule>& rules, const DiagnosticEntries& entries)
{
    const RuleIndex<ParameterRule>& index = rules.index();

    MatchList matches;
    for (const DiagnosticEntry& entry : entries) {
        if (!index.hasRules(entry.messageNumber))
            continue;
        const M_Diagnostic& diagnostic = *entry.diagnostic;
        for (std::size_t i = 0; i < diagnostic.parameterCount(); ++i) {
            const std::string* value = diagnostic.parameter(i)->stringValue();
            if (value == nullptr)
                continue;
            const auto position = static_cast<std::int64_t>(i) + 1;
            if (index.anyOf(entry.messageNumber, [&](const ParameterRule& rule) {
                    return rule.position == position && rule.compiled->matches(*value);
                }))
                matches.push_back(entry.diagnostic);
        }
    }
    return matches;
}

MatchList matchParameterRules(const ParameterRules& rules, const DiagnosticEntries& entries)
{
    return matchParameterRules(RuleSet<ParameterRule>(rules), entries);
}
