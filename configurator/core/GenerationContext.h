// Values handed from page validation to the file generators.
#pragma once

#include <string>

namespace conf {

// One process-wide record of six strings, created empty on first use, never cleared.
struct GenerationContext {
    std::string wrapperPersonality; // compiler personality named in the wrapper configuration
    std::string wrapperPlatform;    // "msvc" or "vxworks": platform directory of the analyser personality
    std::string wrapperTool;        // "msvc", "diab" or "gnu": names the file wrapper_<tool>.cfg
    std::string wrapperAnalyser;    // "None" or a custom analyser personality passed with an extra -via
    std::string batchVelcppDir;     // analyser directory for the Visual Studio build batch file
    std::string batchPersonality;   // compiler personality for the Visual Studio build batch file

    // Sets the three wrapper fields together, as every platform page does.
    void setWrapper(const std::string& personality, const std::string& platform, const std::string& tool);
    // Sets the two Visual Studio batch fields together.
    void setBatch(const std::string& velcppDir, const std::string& personality);

    // The process-wide instance. Tests reset it with `GenerationContext::instance() = {};`.
    static GenerationContext& instance();
};

} // namespace conf
