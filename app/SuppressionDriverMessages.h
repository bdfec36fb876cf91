// The texts the suppression driver reports on standard output.
#pragma once

namespace drivermsg {

inline constexpr const char* kNotFound = " not found.";
inline constexpr const char* kFailedToOpenErrorFile = "Failed to open .err file for ";
// On standard error beside it: "  error file <path>: <cause>".
inline constexpr const char* kErrorFileCauseHead = "  error file ";
inline constexpr const char* kFileHead = "File ";
inline constexpr const char* kHasNoDiagnostics = " has no diagnostics.";

// The exit status of every fatal stop of the suppression run.
inline constexpr int kStopStatus = 10;

// The tool's own post-analysis settings: a key it does not know is named on standard error.
inline constexpr const char* kUnknownSettingHead = "WARNING: Unknown setting -po ";
inline constexpr const char* kUnknownSettingTail = " is ignored. Known settings: ";
inline constexpr const char* kDryRunLookalikeHead = "ERROR: -po ";
inline constexpr const char* kDryRunLookalikeTail =
    " is not the setting dry_run; the run is refused, so that it writes no error file. "
    "Write -po suppresszembrel::dry_run=1 for a dry run.\n";
// A "-po" value whose tool name is a near miss of the tool's own: "-po <value> names the tool
// <name>; it is taken as -po suppresszembrel::<entry>. Write suppresszembrel::." on standard error.
inline constexpr const char* kNearMissHead = "WARNING: -po ";
inline constexpr const char* kNearMissNames = " names the tool ";
inline constexpr const char* kNearMissTaken = "; it is taken as -po ";
inline constexpr const char* kNearMissTail = ". Write the tool's name as suppresszembrel::.\n";

} // namespace drivermsg
