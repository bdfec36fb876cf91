// Appending the records of match lists through the error-file writer.
#include "SuppressionAppender.h"

#include "RulesMessages.h"

#include "M_OutputBonnie2.h"

namespace {

void writeRecord(const M_DiagnosticHandle& diagnostic)
{
    const std::string number = std::to_string(diagnostic->messageNumber());
    M_OutputBonnie2::writeSuppression(1, diagnostic->location(), rulesmessages::kSuppressionText,
                                      M_MessageRanges{{number, number}}, diagnostic->location(), U_Location());
}

// Writes the list's records as the next block of the append: the first block opens the file, each
// later one starts a block of its own. Nothing for an empty list.
template <class Rule>
void writeBlock(const std::vector<RuleMatch<Rule>>& matches, bool& opened, const std::string& errorFilePath)
{
    if (matches.empty())
        return;
    if (opened)
        M_OutputBonnie2::startNextBlock();
    else
        M_OutputBonnie2::openPathForAppend(errorFilePath);
    opened = true;
    for (const RuleMatch<Rule>& match : matches)
        writeRecord(match.diagnostic);
}

} // namespace

void appendSuppressions(const MatchList& matches, const std::string& errorFilePath)
{
    M_OutputBonnie2::openPathForAppend(errorFilePath);
    for (const auto& diagnostic : matches)
        writeRecord(diagnostic);
    M_OutputBonnie2::closeCurrent();
}

void appendSuppressions(const MessageMatches& messageMatches, const ParameterMatches& parameterMatches,
                        const std::string& errorFilePath)
{
    bool opened = false;
    writeBlock(messageMatches, opened, errorFilePath);
    writeBlock(parameterMatches, opened, errorFilePath);
    if (opened)
        M_OutputBonnie2::closeCurrent();
}
