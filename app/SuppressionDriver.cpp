// The suppression driver: every file from its error file to its appended records.
#include "SuppressionDriver.h"

#include "C_CmdArgs.h"
#include "C_Environment.h"
#include "C_OrphanFileHandler.h"
#include "QL_ProgramDirectory.h"
#include "ReportOptions.h"
#include "SuppressionDriverMessages.h"
#include "SuppressionReport.h"

#include "MessageRule.h"
#include "NoMatchMemo.h"
#include "ParameterRule.h"
#include "RuleMatching.h"
#include "RuleReadingInterest.h"
#include "RulesDigestStore.h"
#include "RulesReadAhead.h"
#include "SuppressionAppender.h"
#include "SuppressionStop.h"

#include "M_ErrorFilePath.h"
#include "M_InputBonnie.h"
#include "M_SuppressionContext.h"
#include "QL_TranslatedInputFile.h"
#include "U_PathNames.h"
#include "U_StandardStreams.h"

#include <cstdlib>
#include <optional>
#include <ostream>

namespace {

// Whether the run keeps and consults no-match memos: only a process started for one file, as the
// generated batch file starts them. A process given many files reads the rules once for all of
// them and matches each file quickly, where writing a memo file for each would cost more than the
// next run saves.
bool useMemos = false;

// The run's report, if any, is written after the stop's own line: it holds what the run appended.
[[noreturn]] void stop(const SuppressionStop& stopped, SuppressionReport* report)
{
    standardOutput() << stopped.report() << '\n';
    standardOutput().flush();
    if (report)
        report->finish();
    std::exit(stopped.status());
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
                       const std::string& appendDirectory, SuppressionReport* report)
{
    const std::string sourcePath = toForwardSlashes(file.givenName());
    if (!fileExists(sourcePath))
        throw SuppressionStop(sourcePath + drivermsg::kNotFound, drivermsg::kStopStatus);
    if (!fileExists(errorFileDirectory))
        throw SuppressionStop(errorFileDirectory + drivermsg::kNotFound, drivermsg::kStopStatus);

    // The rules first, so that the reader builds only the diagnostics a rule can reach; what their
    // reading writes or raises is released below, where it always took effect.
    // Without a report, the digests that earlier runs kept spare parsing and compiling the rules
    // that no diagnostic of this file needs.
    RulesReadAhead rules(programDirectory(), report == nullptr && RulesDigestStore::active());
    RuleReadingInterest interest(rules);
    if (report)
        report->rulesRead(rules.messageRules(), rules.parameterRules());

    const std::string errorFile = M_errorFilePath(errorFileDirectory, file.fullName());
    M_ReadFailure failure;
    const U_Handle<M_InputBonnie> reader = M_InputBonnie::openAndRead(errorFile, file.fullName(), &interest, &failure);
    if (!reader) {
        // The described line stays alone on standard output; the path tried and the cause go to
        // standard error, where a wrong -op shows at once.
        standardError() << drivermsg::kErrorFileCauseHead << errorFile << ": " << failure.text() << '\n';
        standardError().flush();
        throw SuppressionStop(drivermsg::kFailedToOpenErrorFile + sourcePath, drivermsg::kStopStatus);
    }
    if (report)
        report->fileRead(reader->diagnostics().size() + interest.passedOverDiagnostics().size());

    std::vector<M_DiagnosticHandle> candidates;
    {
        M_SuppressionContext context;
        context.addRecords(reader->suppressions(), false);
        for (const auto& diagnostic : reader->diagnostics())
            if (diagnostic && !context.isSuppressed(*diagnostic))
                candidates.push_back(diagnostic);
        if (candidates.empty() && !anyNotSuppressed(interest.passedOverDiagnostics(), context)) {
            standardOutput() << drivermsg::kFileHead << file.fullName() << drivermsg::kHasNoDiagnostics << '\n';
            standardOutput().flush();
            return;
        }
    }

    // A run that asks the questions that an earlier run found no rule for skips the rules.
    const DiagnosticEntries entries = buildEntries(candidates);
    const std::string appendTo = M_errorFilePath(appendDirectory, file.fullName());
    std::optional<NoMatchMemo> memo;
    if (useMemos && report == nullptr && RulesDigestStore::active())
        memo = NoMatchMemo::ask(rules, entries);
    if (memo && memo->known(appendTo)) {
        rules.release(standardOutput());
        return;
    }

    if (!rules.narrowTo(candidates)) {
        // A kept digest does not describe its rules file. Nothing has been written yet: the file
        // is done again with the rules files read in full (which replaces the digest).
        RulesDigestStore::stopLoading();
        processFileOrStop(file, errorFileDirectory, appendDirectory, report);
        return;
    }
    rules.release(standardOutput());
    const MessageRuleSet& messageRules = rules.messageRules();
    const ParameterRuleSet& parameterRules = rules.parameterRules();
    if (messageRules->empty() && parameterRules->empty())
        return;

    const bool keepMatchedText = report != nullptr;
    const MessageMatches messageMatches = matchMessageRules(*messageRules, entries, keepMatchedText);
    const ParameterMatches parameterMatches = matchParameterRules(*parameterRules, entries, keepMatchedText);

    // The message-rule block and the parameter-rule block: one lock and one publication. The error
    // file first: the report tells what it got.
    if (!report || !report->dryRun())
        appendSuppressions(messageMatches, parameterMatches, appendTo);
    if (memo) {
        std::vector<const M_Diagnostic*> matched;
        for (const auto& match : messageMatches)
            matched.push_back(match.diagnostic.get());
        for (const auto& match : parameterMatches)
            matched.push_back(match.diagnostic.get());
        memo->keep(appendTo, std::move(matched));
    }
    if (report)
        report->appended(appendTo, messageMatches, parameterMatches);
}

void processFiles(const C_CmdArgs& args, const std::string& crossModuleFile, const C_OrphanFileHandler& files,
                  SuppressionReport* report)
{
    if (!crossModuleFile.empty()) {
        // Named by its base name, so resolved against the current directory; its error file is
        // read from the directory that holds it.
        processFile(U_Filename::fromName(baseName(crossModuleFile)), dirName(crossModuleFile),
                    outputDirectory(args), report);
    }
    for (const C_OrphanFileHandler::Entry* entry : files)
        processFile(entry->first, entry->second, entry->second, report);
}

} // namespace

void processFile(const U_Filename& file, const std::string& errorFileDirectory, const std::string& appendDirectory,
                 SuppressionReport* report)
{
    try {
        processFileOrStop(file, errorFileDirectory, appendDirectory, report);
    } catch (const SuppressionStop& stopped) {
        stop(stopped, report);
    }
}

void runSuppression(const C_CmdArgs& args, const std::string& crossModuleFile, const C_OrphanFileHandler& files)
{
    const ReportOptions options = ReportOptions::fromPostAnalysisOptions();
    if (!options.active()) {
        RulesDigestStore::setDirectory(TranslatedInputFile::temporaryDirectory());
        useMemos = files.size() + (crossModuleFile.empty() ? 0 : 1) == 1;
        processFiles(args, crossModuleFile, files, nullptr);
        return;
    }
    SuppressionReport report(options, standardOutput());
    try {
        processFiles(args, crossModuleFile, files, &report);
    } catch (...) {
        report.finish(); // what the files before the failure got
        throw;
    }
    report.finish();
}
