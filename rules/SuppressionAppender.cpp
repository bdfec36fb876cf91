// Appending the records of one match list through the error-file writer.
#include "SuppressionAppender.h"

#include "RulesMessages.h"

#include "M_OutputBonnie2.h"

void appendSuppressions(const MatchList& matches, const std::string& errorFilePath)
{
    M_OutputBonnie2::openPathForAppend(errorFilePath);
    for (const auto& diagnostic : matches) {
        const std::string number = std::to_string(diagnostic->messageNumber());
        M_OutputBonnie2::writeSuppression(1, diagnostic->location(), rulesmessages::kSuppressionText,
                                          M_MessageRanges{{number, number}}, diagnostic->location(), U_Location());
    }
    M_OutputBonnie2::closeCurrent();
}
