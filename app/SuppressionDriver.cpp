// The suppression driver: every file from its error file to its appended records.
#include "SuppressionDriver.h"

#include "C_CmdArgs.h"
#include "C_Environment.h"
#include "C_OrphanFileHandler.h"
#include "QL_ProgramDirectory.h"
#include "SuppressionDriverMessages.h"

#include "MessageRule.h"
#include "ParameterRule.h"
#include "RuleMatching.h"
#include "RuleReadingInterest.h"
#include "RulesReadAhead.h"
#include "SuppressionAppender.h"
#include "SuppressionStop.h"

#include "M_ErrorFilePath.h"
#include "M_InputBonnie.h"
#include "M_SuppressionContext.h"
#include "U_PathNames.h"

#include <cstdlib>
#include <iostream>

namespace {

[[noreturn]] void stop(const std::string& report, int status = drivermsg::kStopStatus)
{
    std::cout << report << '\n';
    std::cout.flush();
    std::exit(status);
}

// Whether one of the diagnostics the reader passed over is not suppressed yet.
bool anyNotSuppressed(const std::vector<RuleReadingInterest::PassedOver>& diagnostics,
                      const M_SuppressionContext& context)
{
    for (const auto& diagnostic : diagnostics)
        if (!context.isSuppressed(diagnostic.messageNumber, diagnostic.location, diagnostic.fourthFlag))
            return true;
    return false;
}

void processFileOrStop(const U_Filename& file, const std::string& errorFileDirectory,
                       const std::string& appendDirectory)
{
    const std::string sourcePath = toForwardSlashes(file.givenName());
    if (!fileExists(sourcePath))
        stop(sourcePath + drivermsg::kNotFound);
    if (!fileExists(errorFileDirectory))
        stop(errorFileDirectory + drivermsg::kNotFound);

    // The rules first, so that the reader builds only the diagnostics a rule can reach; what their
    // reading writes or raises is released below, where it always took effect.
    const RulesReadAhead rules(programDirectory());
    RuleReadingInterest interest(rules.messageRules(), rules.parameterRules());

    const std::string errorFile = M_errorFilePath(errorFileDirectory, file.fullName());
    const U_Handle<M_InputBonnie> reader = M_InputBonnie::openAndRead(errorFile, file.fullName(), &interest);
    if (!reader)
        stop(drivermsg::kFailedToOpenErrorFile + sourcePath);

    std::vector<M_DiagnosticHandle> candidates;
    {
        M_SuppressionContext context;
        context.addRecords(reader->suppressions(), false);
        for (const auto& diagnostic : reader->diagnostics())
            if (diagnostic && !context.isSuppressed(*diagnostic))
                candidates.push_back(diagnostic);
        if (candidates.empty() && !anyNotSuppressed(interest.passedOverDiagnostics(), context)) {
            std::cout << drivermsg::kFileHead << file.fullName() << drivermsg::kHasNoDiagnostics << '\n';
            std::cout.flush();
            return;
        }
    }

    rules.release(std::cout);
    const MessageRuleSet& messageRules = rules.messageRules();
    const ParameterRuleSet& parameterRules = rules.parameterRules();
    if (messageRules->empty() && parameterRules->empty())
        return;

    const DiagnosticEntries entries = buildEntries(candidates);
    const MatchList messageMatches = matchMessageRules(*messageRules, entries);
    const MatchList parameterMatches = matchParameterRules(*parameterRules, entries);

    // The message-rule block and the parameter-rule block: one lock and one publication.
    appendSuppressions({&messageMatches, &parameterMatches}, M_errorFilePath(appendDirectory, file.fullName()));
}

} // namespace

void processFile(const U_Filename& file, const std::string& errorFileDirectory, const std::string& appendDirectory)
{
    try {
        processFileOrStop(file, errorFileDirectory, appendDirectory);
    } catch (const SuppressionStop& stopped) {
        stop(stopped.report(), stopped.status());
    }
}

void runSuppression(const C_CmdArgs& args, const std::string& crossModuleFile, const C_OrphanFileHandler& files)
{
    if (!crossModuleFile.empty()) {
        // Named by its base name, so resolved against the current directory; its error file is
        // read from the directory that holds it.
        processFile(U_Filename::fromName(baseName(crossModuleFile)), dirName(crossModuleFile),
                    outputDirectory(args));
    }
    for (const C_OrphanFileHandler::Entry* entry : files)
        processFile(entry->first, entry->second, entry->second);
}
