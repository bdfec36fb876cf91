// The configurator's user-visible texts.
#include "ConfMessages.h"

namespace conf::msg {

const char* const kNoZembDir =
    "Could not find ZembrelIntegration registry entry for ZembDir.\nEnsure ZembrelIntegration is installed.";
const char* const kNoZembIntLocationDir =
    "Could not find ZembrelIntegration registry entry for ZembIntLocationDir.\nEnsure ZembrelIntegration is installed.";
const char* const kNoVnhDir = "Could not find Varnholt (VNH).\nEnsure VNH-2.0.1 (or later) is installed.";
const char* const kNoShortPath = "Cannot get short path of ";
const char* const kUnknownVsVersion = "Failed to recognise Visual C++ version.\nAborting";
const char* const kUnassignedPath = "::UNASSIGNED::";

const char* const kCannotOpenFile = "Cannot open file ";
const char* const kCannotCreateDir = "Cannot create dir ";
const char* const kFailedToOverwrite = "Failed to overwrite file ";
const char* const kAbortingSuffix = "\nAborting.";
const char* const kGeneratorFailed = "Varnholt failed\nto generate personality.";
const char* const kEssentialFileMissing = "Essential Zembrel file ";
const char* const kNotFoundSuffix = " not found\nAborting.";
const char* const kCannotOpenMessagePersonality = "Failed to open Message Personality ";
const char* const kCannotOpenCustomPersonality = "failed to open file ";
const char* const kBatchFile = "Batch file ";
const char* const kCodePageLacks = " names characters that code page ";
const char* const kWrittenAsQuestionMarks = " cannot hold; they were written as \"?\" and the batch file will not find them.\n"
                                            "Choose paths without them, or a volume with short (8.3) names.";

const char* const kNoVelcppInstallations = "No installations of VELC++ found\nPlease install VELC++ and try again\n";
const char* const kNoVsPersonalities =
    "No VELC++ Visual Studio personalities found\nPlease install desired VELC++ VC Integration";

} // namespace conf::msg
