// The post-analysis options of the run's report and dry run, and the texts they show.
#pragma once

namespace reportmsg {


inline constexpr const char* kCannotWriteReport = "WARNING: Cannot write report file '";
inline constexpr const char* kCannotWriteReportEnd = "'.";

// A dry run without a report file lists what it would append, one line per record.
inline constexpr const char* kWouldSuppress = "Would suppress ";
inline constexpr const char* kMessage = " Msg=";
inline constexpr const char* kBy = " by ";
inline constexpr const char* kDryRun = "Dry run: ";
inline constexpr const char* kFiles = " files, ";
inline constexpr const char* kDiagnosticsExamined = " diagnostics examined, ";
inline constexpr const char* kRecordsNotAppended = " suppression records would be appended; no error file was changed.";

// The reason given for a pattern that does not compile, before the matcher's own words.
inline constexpr const char* kCompilationErrorReason = "regex compilation error";
// The reason given for a line whose fields are separated by tabs: it reads as one field.
inline constexpr const char* kTabSeparatedReason =
    "fields separated by tabs, not blanks: the line reads as one field";

// The kinds of rule and the types of line in the report file.
inline constexpr const char* kMessageKind = "message";
inline constexpr const char* kParameterKind = "parameter";
inline constexpr const char* kRecordLine = "record";
inline constexpr const char* kUnusableLine = "unusable";
inline constexpr const char* kWarningLine = "warning";
inline constexpr const char* kRunLine = "run";

} // namespace reportmsg
