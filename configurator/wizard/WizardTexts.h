// Every text of the wizard's own that the user sees: window and page titles, dialog captions, filters.
#pragma once

namespace wizard::text {

inline constexpr const char* kTitle = "Zembrel Configurator";

inline constexpr const char* kSubtitleZero = "VEL C++ Version Selection";
inline constexpr const char* kSubtitleOne = "Target Platform Selection";
inline constexpr const char* kSubtitleCompilerPersonality = "VEL C++ Compiler Personality Selection";
// The step where the user specifies the VxWorks compiler (Diab or GCC) and version; users and their
// documentation know the page by this subtitle, so it stays word for word.
inline constexpr const char* kSubtitleFive = "VEL C++ VxWorks Compiler Details Specification";
inline constexpr const char* kSubtitlePerson = "VEL C++ Message and Analyser Personality Selection";
inline constexpr const char* kSubtitleLast = "VEL C++ Configuration Completion";

inline constexpr const char* kCaptionCompilerPersonality = "Select Compiler Personality File";
inline constexpr const char* kFilterCompilerPersonality = "*.p_c";
inline constexpr const char* kCaptionMessagePersonality = "Select Message Personality File";
inline constexpr const char* kFilterMessagePersonality = "*.p_s";
inline constexpr const char* kCaptionAnalyserPersonality = "Select Analyser Personality File";
inline constexpr const char* kFilterAnalyserPersonality = "*.p_a";

inline constexpr const char* kLogoResource = ":/logo_shadow.jpg";
inline constexpr const char* kTranslatorPrefix = "qt_";

} // namespace wizard::text
