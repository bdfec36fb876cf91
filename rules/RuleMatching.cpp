// The two matchers of the suppression rules.
#include "RuleMatching.h"

#include "RuleIndex.h"
#include "RulesMessages.h"
#include "SuppressionStop.h"
#include "TextLineReader.h"

#include "M_ParamType.h"

#include <algorithm>

MatchList matchMessageRules(MessageRules& rules, const DiagnosticEntries& entries)
{
    std::stable_sort(rules.begin(), rules.end(),
                     [](const MessageRule& a, const MessageRule& b) { return a.messageNumber < b.messageNumber; });
    const RuleIndex<MessageRule> index(rules);

    MatchList matches;
    const std::string* currentPath = nullptr;
    TextLineReader source;
    std::int32_t currentLine = 0;
    std::string text;
    for (const DiagnosticEntry& entry : entries) {
        if (entry.line <= 0 || !index.hasRules(entry.messageNumber))
            continue;
        if (currentPath == nullptr || (entry.path != currentPath && *entry.path != *currentPath)) {
            currentPath = entry.path;
            source.open(*currentPath);
            currentLine = 0;
            text.clear();
            if (source.failed())
                throw SuppressionStop(rulesmessages::kFailedToOpen + *currentPath + rulesmessages::kAborting);
        }
        while (currentLine < entry.line && !source.atEnd()) {
            const bool read = source.readLine(text);
            ++currentLine;
            if (!read)
                break; // end of file (the text is empty now) or a read error: nothing more comes
        }
        if (index.anyOf(entry.messageNumber, [&](const MessageRule& rule) { return rule.compiled->matches(text); }))
            matches.push_back(entry.diagnostic);
    }
    source.close();
    return matches;
}

MatchList matchParameterRules(ParameterRules& rules, const DiagnosticEntries& entries)
{
    std::stable_sort(rules.begin(), rules.end(), [](const ParameterRule& a, const ParameterRule& b) {
        return a.messageNumber != b.messageNumber ? a.messageNumber < b.messageNumber : a.position < b.position;
    });
    const RuleIndex<ParameterRule> index(rules);

    MatchList matches;
    for (const DiagnosticEntry& entry : entries) {
        if (!index.hasRules(entry.messageNumber))
            continue;
        const M_Diagnostic& diagnostic = *entry.diagnostic;
        for (std::size_t i = 0; i < diagnostic.parameterCount(); ++i) {
            const auto* parameter = dynamic_cast<const M_ParamStringType*>(diagnostic.parameter(i).get());
            if (parameter == nullptr)
                continue;
            const auto position = static_cast<std::int64_t>(i) + 1;
            if (index.anyOf(entry.messageNumber, [&](const ParameterRule& rule) {
                    return rule.position == position && rule.compiled->matches(parameter->value());
                }))
                matches.push_back(entry.diagnostic);
        }
    }
    return matches;
}
