// The process-wide record that carries values from page validation to the generators.
#include "GenerationContext.h"

namespace conf {

GenerationContext& GenerationContext::instance()
{
    static GenerationContext context;
    return context;
}

void GenerationContext::setWrapper(const std::string& personality, const std::string& platform,
                                   const std::string& tool)
{
    wrapperPersonality = personality;
    wrapperPlatform = platform;
    wrapperTool = tool;
}

void GenerationContext::setBatch(const std::string& velcppDir, const std::string& personality)
{
    batchVelcppDir = velcppDir;
    batchPersonality = personality;
}

} // namespace conf
