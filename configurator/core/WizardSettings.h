// The configurator's choices, shared by the pages, the summary and the file generators.
#pragma once

#include <string>
#include <vector>

namespace conf {

// One process-wide record, created on first use with every string empty, never cleared.
struct WizardSettings {
    std::vector<std::string> velcppVersions; // installed analyser versions that were accepted
    std::string velcppVersion;               // chosen analyser version (a registry subkey name)
    std::string velcppPath;                  // short path of that version's installation
    std::string vsVersion;                   // Visual Studio label: "6", "2003", "2005" or "2008"
    std::string msvcPersonality;             // compiler personality file for that Visual Studio
    std::string vxPersonality;               // VxWorks personality file, or the directory it is generated into
    std::string vxCompiler;                  // "diab", "gnu", or empty when not detected
    std::string vxVersion;                   // chosen VxWorks version ("6.0" ... "6.9")
    std::string messagePersonality;          // "Default" or the path of a custom message personality
    std::string analyserPersonality;         // "None" or the path of a custom analyser personality

    // The process-wide instance. Tests reset it with `WizardSettings::instance() = {};`.
    static WizardSettings& instance();
};

} // namespace conf
