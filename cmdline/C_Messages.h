// The texts that option handling, argument sources, configuration files and the environment show.
#pragma once

namespace cmdmsg {

// Option exceptions; each message starts with a newline and ends with two.
inline constexpr const char* kInvalidValueHead = "\nERROR: ";
inline constexpr const char* kInvalidValueMiddle = " is not a valid argument for option: ";
inline constexpr const char* kUnableToOpen = "\nERROR: Unable to open ";
inline constexpr const char* kArgumentExpected = "\nERROR: Argument expected after ";
inline constexpr const char* kUnknownArgument = "\nERROR: Unknown argument: ";
inline constexpr const char* kMessageEnd = "\n\n";

// Number ranges that are too long (standard error).
inline constexpr const char* kRangeTooLarge = "\n\nWARNING: configured number range ";
inline constexpr const char* kRangeTooLargeEnd = " is too large.\n";
inline constexpr const char* kRangeTruncated = "WARNING: Will truncate range to ";
inline constexpr const char* kRangeTruncatedEnd = ".\n\n";

// Product environment.
inline constexpr const char* kEnvironmentHead = "\nERROR: ";
inline constexpr const char* kEnvironmentNotFound = " environment variable not found\n";
inline constexpr const char* kTempDirHeading = "Error finding temporary directory:\n";
inline constexpr const char* kTempDirFromVariable = "\tTried directory from environment variable ";
inline constexpr const char* kTempDirTried = "\tTried directory: ";

// Argument sources and configuration files.
inline constexpr const char* kBadSubstitution = "\nERROR: Badly formed variable substitution:\n\t%s\n";
inline constexpr const char* kNoConfigurationFile = "\nERROR: Unable to open configuration file %s\n\n";
inline constexpr const char* kUnknownSection = "\nERROR: Unknown section %s\n";
inline constexpr const char* kUnexpectedData = "\nERROR: Unexpected configuration data: %s\n";

} // namespace cmdmsg
