// The texts the application frame and the suppression tool's entry point show.
#pragma once

namespace appmsg {

inline constexpr const char* kBanner =
    "suppresszembrel Diagnositic regex suppression 1.2 build 2 Feb  7 2012 for Windows\n"
    "Made by the Zembrel analyser integration team\n";
inline constexpr const char* kVersionLine = "suppresszembrel version 1.2 build 2\n";

inline constexpr const char* kNoProduct = "ERROR: No product name specified.\n";
inline constexpr const char* kInvalidProduct = "ERROR: Invalid product name specified.\n";
inline constexpr const char* kVariableHead = "\nERROR: ";
inline constexpr const char* kVariableNotFound = " environment variable not found\n";

inline constexpr const char* kInternalException = "An internal exception occured: ";
inline constexpr const char* kAllocationHead = "A system allocation exception (: ";
inline constexpr const char* kSystemHead = "A system exception (";
inline constexpr const char* kDetectedTail = ") was detected.\n";
inline constexpr const char* kUnrecognised = "An unrecognised exception was detected.\n";
inline constexpr const char* kReportToSupplier = "Please report this problem to the Zembrel integration support,\n";
inline constexpr const char* kAttachExample = "attaching a code example that causes the problem, if possible.\n";

inline constexpr const char* kCaughtSignal = "Caught signal: (";
inline constexpr const char* kContactSupplier = "Please contact the Zembrel integration support.\n";

// The usage of suppresszembrel: four lines, each ended by a line feed.
inline constexpr const char* kUsage[] = {
    "usage: suppresszembrel <product> -op <path> <filename> \\",
    "\t[ -po suppresszembrel::suppressions_txt=<filename> ] \\",
    "\t[ -po suppresszembrel::parameter_suppressions_txt=<filename> ]",
    "\twhere <product> is: VELC or VELCPP",
};

} // namespace appmsg
