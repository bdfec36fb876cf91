// Every text the configurator shows to the user, kept together so they can be checked together.
#pragma once

namespace conf::msg {

// Discovery.
extern const char* const kNoZembDir;            // "Could not find ZembrelIntegration registry entry for ZembDir.\n..."
extern const char* const kNoZembIntLocationDir; // same for ZembIntLocationDir
extern const char* const kNoVnhDir;             // "Could not find Varnholt (VNH).\n..."
extern const char* const kNoShortPath;          // "Cannot get short path of " + path
extern const char* const kUnknownVsVersion;     // "Failed to recognise Visual C++ version.\nAborting"
extern const char* const kUnassignedPath;       // "::UNASSIGNED::", the path of a version without "Path"

// Files.
extern const char* const kCannotOpenFile;       // "Cannot open file " + path
extern const char* const kCannotCreateDir;      // "Cannot create dir " + directory
extern const char* const kFailedToOverwrite;    // "Failed to overwrite file " + path + kAbortingSuffix
extern const char* const kAbortingSuffix;       // "\nAborting."
extern const char* const kGeneratorFailed;      // "Varnholt failed\nto generate personality."
extern const char* const kEssentialFileMissing; // "Essential Zembrel file " + path + kNotFoundSuffix
extern const char* const kNotFoundSuffix;       // " not found\nAborting."
extern const char* const kCannotOpenMessagePersonality; // "Failed to open Message Personality " + path + kAbortingSuffix
extern const char* const kCannotOpenCustomPersonality;  // "failed to open file " + path + kAbortingSuffix
// "Batch file " + path + kCodePageLacks + code page + kWrittenAsQuestionMarks: a batch file that
// names a path with characters the console's code page cannot hold, and that has no short form.
extern const char* const kBatchFile;
extern const char* const kCodePageLacks;
extern const char* const kWrittenAsQuestionMarks;

// Pages.
extern const char* const kNoVelcppInstallations; // "No installations of VELC++ found\n..."
extern const char* const kNoVsPersonalities;     // "No VELC++ Visual Studio personalities found\n..."

} // namespace conf::msg
