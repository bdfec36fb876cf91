// Appending the records of match lists through the error-file writer.
#include "SuppressionAppender.h"

#include "RulesMessages.h"

#include "M_OutputBonnie2.h"

namespace {

void writeRecords(const MatchList& matches)
{
    for (const auto& diagnostic : matches) {
        const std::string number = std::to_string(diagnostic->messageNumber());
        M_OutputBonnie2::writeSuppression(1, diagnostic->location(), rulesmessages::kSuppressionText,
                                          M_MessageRanges{{number, number}}, diagnostic->location(), U_Location());
    }
}

} // namespace

void appendSuppressions(const MatchList& matches, const std::string& errorFilePath)
{
    M_OutputBonnie2::openPathForAppend(errorFilePath);
    writeRecords(matches);
    M_OutputBonnie2::closeCurrent();
}

void appendSuppressions(std::initializer_list<const MatchList*> lists, const std::string& errorFilePath)
{
    bool opened = false;
    for (const MatchList* matches : lists) {
        if (matches->empty())
            continue;
        if (opened)
            M_OutputBonnie2::startNextBlock();
        else
            M_OutputBonnie2::openPathForAppend(errorFilePath);
        opened = true;
        writeRecords(*matches);
    }
    if (opened)
        M_OutputBonnie2::closeCurrent();
}
