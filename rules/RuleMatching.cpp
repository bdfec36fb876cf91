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

MessageMatches matchMessageRules(const RuleSet<MessageRule>& rules, const DiagnosticEntries& entries,
                                 bool keepMatchedText)
{
    const RuleIndex<MessageRule>& index = rules.index();

    MessageMatches matches;
    const std::string* currentPath = nullptr;
    std::optional<SourceLineCursor> source;
    // Diagnostics of one number on one line see the same text and the same rules, so the answer
    // for a (line, number) pair is worked out once; the list holds the pairs of the current line
    // with the rule that matched (null for none).
    std::int32_t answeredLine = 0;
    std::vector<std::pair<std::int32_t, const MessageRule*>> answers;
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
        const MessageRule* matched;
        if (known != answers.end()) {
            matched = known->second;
        } else {
            if (!subject)
                subject.emplace(source->text());
            matched = index.find(entry.messageNumber,
                                 [&](const MessageRule& rule) { return rule.compiled->matches(*subject); });
            answers.emplace_back(entry.messageNumber, matched);
        }
        if (matched)
            matches.push_back({entry.diagnostic, matched, keepMatchedText ? source->text() : std::string()});
    }
    return matches;
}

MatchList matchMessageRules(const MessageRules& rules, const DiagnosticEntries& entries)
{
    return diagnosticsOf(matchMessageRules(RuleSet<MessageRule>(rules), entries));
}

ParameterMatches matchParameterRules(const RuleSet<ParameterRule>& rules, const DiagnosticEntries& entries,
                                     bool keepMatchedText)
{
    const RuleIndex<ParameterRule>& index = rules.index();

    ParameterMatches matches;
    for (const DiagnosticEntry& entry : entries) {
        if (!index.hasRules(entry.messageNumber))
            continue;
        const M_Diagnostic& diagnostic = *entry.diagnostic;
        for (std::size_t i = 0; i < diagnostic.parameterCount(); ++i) {
            const std::string* value = diagnostic.parameter(i)->stringValue();
            if (value == nullptr)
                continue;
            const auto position = static_cast<std::int64_t>(i) + 1;
            const ParameterRule* matched = index.find(entry.messageNumber, [&](const ParameterRule& rule) {
                return rule.position == position && rule.compiled->matches(*value);
            });
            if (matched)
                matches.push_back({entry.diagnostic, matched, keepMatchedText ? *value : std::string()});
        }
    }
    return matches;
}

MatchList matchParameterRules(const ParameterRules& rules, const DiagnosticEntries& entries)
{
    return diagnosticsOf(matchParameterRules(RuleSet<ParameterRule>(rules), entries));
}
