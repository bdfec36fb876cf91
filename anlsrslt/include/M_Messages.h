// Every text of the diagnostic model and error-file library that a user can see, in one place.
#pragma once

namespace M_Messages {

inline constexpr const char* kCannotWriteErrorFile = "Cannot write error file '";   // + path + "'."
inline constexpr const char* kIncorrectVersion = "Error file has incorrect version: "; // + id hex
inline constexpr const char* kExpectedVersion = ". Expected: ";                       // + 9300
inline constexpr const char* kUnknownRecordType = "unknown error record type in error file";
inline constexpr const char* kHasListParameter = "error file has string list parameter";
inline constexpr const char* kReading = "Problems reading binary file.";
inline constexpr const char* kReadingAtEof = "Problems reading binary file at eof. errno (";
inline constexpr const char* kReadingRead = "Problems reading binary file. errno (";
inline constexpr const char* kReadingTooDeep = "Problems reading binary file. Nesting deeper than ";
inline constexpr const char* kWriting = "Problems writing binary file.";

// Lines on the standard error stream.
inline constexpr const char* kUnknownFormatLine = "Unknown error file format: id=";
inline constexpr const char* kCaughtReadingLine = "caught a R_ReadingException in getNextMessage().";
inline constexpr const char* kReasonLine = "  reason: ";

// Why an error file could not be read (M_ReadFailure).
inline constexpr const char* kFailureMissing = "missing";
inline constexpr const char* kFailureNotReadable = "not readable";
inline constexpr const char* kFailureNotAnErrorFile = "not an error file";
inline constexpr const char* kFailureDamagedAt = "damaged at byte ";

// Diagnostic text form.
inline constexpr const char* kNoFile = "nofile.cc:0";

} // namespace M_Messages
