// Reading the report settings from the post-analysis options.
#include "ReportOptions.h"

#include "RulesMessages.h"

#include "U_PathNames.h"
#include "postanalysis.h"

bool ReportOptions::isDryRunValue(const std::string& value)
{
    for (const char* off : {"0", "no", "false", "off"})
        if (equalsIgnoreCase(value, off))
            return false;
    return true;
}

ReportOptions ReportOptions::fromPostAnalysisOptions()
{
    ReportOptions options;
    findPostAnalysisOption(rulesmessages::kToolName, rulesmessages::kReportKey, options.reportPath);
    std::string dryRun;
    options.dryRun = findPostAnalysisOption(rulesmessages::kToolName, rulesmessages::kDryRunKey, dryRun) &&
                     isDryRunValue(dryRun);
    return options;
}
