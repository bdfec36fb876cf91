// Configuration and personality files filled from the integration's templates, and the
// personality generator run.
#include "Generators.h"

#include "ConfMessages.h"
#include "Discovery.h"
#include "GenerationContext.h"
#include "MessageSink.h"
#include "TextFiles.h"

#include "ProcessRunner.h"

namespace conf {

void writeSuppressPersonality()
{
    const std::string integration = findZembIntLocationDir() + "\\ZembrelIntegration";
    std::string text = readTemplate(integration + "\\suppresszembrel\\suppresszembrel.p_s-template");
    replaceAll(text, "{ZembIntegrationDir}", integration);
    writeGeneratedFile(text, integration + "\\suppresszembrel\\suppresszembrel.p_s");
}

void writeWrapperConfig()
{
    const GenerationContext& ctx = GenerationContext::instance();
    const std::string location = findZembIntLocationDir();
    std::string text = readTemplate(location + "\\ZembrelIntegration\\wrapper\\wrapper.cfg-template");

    // The platform's own analyser personality, then a custom one behind its own -via; the
    // template encloses the placeholder in quotes, so each path ends up quoted.
    std::string analyserReference = location + "/ZembrelIntegration/" + ctx.wrapperPlatform + "/zembrel-"
                                    + ctx.wrapperPlatform + ".p_a";
    if (!ctx.wrapperAnalyser.empty() && ctx.wrapperAnalyser != "None")
        analyserReference += "\" -via \"" + ctx.wrapperAnalyser;

    replaceAll(text, "{ZembIntegrationDirFwd}", forwardForm(location + "/ZembrelIntegration"));
    replaceAll(text, "{chosen_p_c_path}", forwardForm(ctx.wrapperPersonality));
    replaceAll(text, "{p_a_path}", forwardForm(analyserReference));
    writeGeneratedFile(text, location + "\\ZembrelIntegration\\wrapper\\wrapper_" + ctx.wrapperTool + ".cfg");
}

void writeMsvcAnalyserPersonality()
{
    const std::string location = findZembIntLocationDir();
    std::string text = readTemplate(location + "\\ZembrelIntegration\\msvc\\zembrel-msvc.p_a-template");
    const std::string zembDir = findZembDir();
    replaceAll(text, "{ZembDirFwd}", forwardForm(zembDir));
    replaceAll(text, "{ZembIntegrationDir}", forwardForm(location + "/ZembrelIntegration"));
    writeGeneratedFile(text, location + "\\ZembrelIntegration\\msvc\\zembrel-msvc.p_a");
}

void writeClBat(const std::string& velcppDir)
{
    const std::string integration = findZembIntLocationDir() + "\\ZembrelIntegration";
    std::string text = batchFileText(readTemplate(integration + "\\msvc\\cl.bat-template"));
    replaceAll(text, "{ZembIntegrationDir}", batchPath(findZembIntLocationDir()) + "\\ZembrelIntegration");
    replaceAll(text, "{VelcppDir}", batchPath(velcppDir));
    writeGeneratedBatchFile(text, integration + "\\msvc\\cl.bat");
}

void writeVxAnalyserPersonality(const std::string& windDir)
{
    const std::string location = findZembIntLocationDir();
    std::string text = readTemplate(location + "\\ZembrelIntegration\\vxworks\\zembrel-vxworks.p_a-template");
    const std::string zembDir = findZembDir();
    replaceAll(text, "{ZembDirFwd}", forwardForm(zembDir));
    replaceAll(text, "{WindDir}", forwardForm(windDir));
    replaceAll(text, "{ZembIntegrationDir}", forwardForm(location + "/ZembrelIntegration"));
    writeGeneratedFile(text, location + "\\ZembrelIntegration\\vxworks\\zembrel-vxworks.p_a");
}

int runPersonalityGenerator(const std::string& personalityName, const std::string& compilerFamily,
                            const std::string& windDir, const std::string& destinationDir,
                            const std::string& vxVersion)
{
    const std::string bin = findVnhDir() + "\\bin";
    const std::string location = findZembIntLocationDir();
    std::string text = readTemplate(location + "\\ZembrelIntegration\\vnh\\settings.txt-template");
    replaceAll(text, "{Product}", "VELCPP");
    replaceAll(text, "{Personality Destination Directory}", destinationDir);
    replaceAll(text, "{Personality Name}", personalityName);
    replaceAll(text, "{Compiler Family Set}", compilerFamily);
    writeGeneratedFile(text, bin + "\\settings.txt");

    const int code = platform::runProgramAndWait(
        windDir + "\\wrenv",
        {"-p", "vxworks-" + vxVersion, location + "\\ZembrelIntegration\\vnh\\run_vnh.exe", bin});
    if (code != 0)
        showWarning(msg::kGeneratorFailed);
    return code;
}

std::string detectVxCompiler(const std::string& personalityPath)
{
    const std::string text = readTemplate(personalityPath);
    const bool gnu = text.find("_GNUC_") != std::string::npos;
    const bool diab = text.find("_DCC_") != std::string::npos;
    if (diab && !gnu)
        return "diab";
    if (gnu && !diab)
        return "gnu";
    return {};
}

} // namespace conf
