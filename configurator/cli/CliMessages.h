// Every text of zembrelconf-cli's own; the configurator's messages are those of the core.
#pragma once

namespace confcli::msg {

inline constexpr const char* kUsage =
    "usage: zembrelconf-cli <answers file>   configure from the answers in the file\n"
    "       zembrelconf-cli --list           list what the installation offers\n";

// The answers file.
inline constexpr const char* kCannotReadAnswers = "Cannot read answers file ";
inline constexpr const char* kExpectedAnswerLine = ": expected <answer> = <value>, found: ";
inline constexpr const char* kUnknownAnswer = ": unknown answer \"";
inline constexpr const char* kKnownAnswers = "\". Answers: ";
inline constexpr const char* kAnswerGivenTwice = "\" is given again; first given on line ";
inline constexpr const char* kAnswerWithoutValue = "\" has no value";

// Refusals: "Answer "<key> = <value>" (line <n>) is not offered. Offered: <list>."
inline constexpr const char* kAnswer = "Answer \"";
inline constexpr const char* kOnLine = " (line ";
inline constexpr const char* kNotOffered = " is not offered";
inline constexpr const char* kMissing = " is missing";
inline constexpr const char* kNotAsked = " is not asked when ";
inline constexpr const char* kNoSuchFile = " names no file";
inline constexpr const char* kOffered = ". Offered: ";
inline constexpr const char* kAFile = "an existing file";
inline constexpr const char* kOrAFile = "or an existing file";
inline constexpr const char* kCompilerOf = ": the compiler of ";
inline constexpr const char* kCannotBeDetected = " cannot be detected";
inline constexpr const char* kIsFor = " is for ";
inline constexpr const char* kNothingWritten = "Nothing was written.";

// Values offered for the answers that are not read from the installation.
inline constexpr const char* kVisualStudio = "Visual Studio";
inline constexpr const char* kVxWorks = "VxWorks";
inline constexpr const char* kExisting = "existing";
inline constexpr const char* kGenerated = "generated";
inline constexpr const char* kDiab = "diab";
inline constexpr const char* kGnu = "gnu";
inline constexpr const char* kDefault = "default";
inline constexpr const char* kNone = "none";

// After the configurator's message that no installation was found, where the platform reads an
// export file instead of the registry.
inline constexpr const char* kInstallationHint =
    "Hint: here the installation is read from ZEMBRELCONF_REGISTRY (a .reg export of HKEY_LOCAL_MACHINE) "
    "and ZEMBRELCONF_DRIVES (a directory whose subdirectory c is drive C:, d drive D:, ...); set both.";

// Each file written: "Wrote <path>". A batch file written with "?": "ERROR: Batch file <path>
// names a path that its code page cannot hold; it was written with "?" in its place: <line>".
inline constexpr const char* kWrote = "Wrote ";
inline constexpr const char* kBatchPathLostHead = "ERROR: Batch file ";
inline constexpr const char* kBatchPathLostMiddle =
    " names a path that its code page cannot hold; it was written with \"?\" in its place: ";

// The end of a configuration: the summary page's heading and rows.
inline constexpr const char* kFinished = "Zembrel Integration Configurator finished.";

} // namespace confcli::msg
