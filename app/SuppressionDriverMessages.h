// The texts the suppression driver reports on standard output.
#pragma once

namespace drivermsg {

inline constexpr const char* kNotFound = " not found.";
inline constexpr const char* kFailedToOpenErrorFile = "Failed to open .err file for ";
inline constexpr const char* kFileHead = "File ";
inline constexpr const char* kHasNoDiagnostics = " has no diagnostics.";

// The exit status of every fatal stop of the suppression run.
inline constexpr int kStopStatus = 10;

} // namespace drivermsg
