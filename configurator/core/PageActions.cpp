// The wizard pages' behaviour apart from their widgets.
#include "PageActions.h"

#include "BuildBatches.h"
#include "ConfMessages.h"
#include "Discovery.h"
#include "GenerationContext.h"
#include "Generators.h"
#include "MessageSink.h"
#include "PageIds.h"
#include "TextFiles.h"
#include "WizardSettings.h"

namespace conf {

const std::vector<std::string>& vxWorksVersions()
{
    static const std::vector<std::string> versions = {"6.0", "6.1", "6.2", "6.3", "6.4",
                                                      "6.5", "6.6", "6.7", "6.8", "6.9"};
    return versions;
}

int preselectedVersionIndex(const std::vector<std::string>& versions)
{
    int best = -1;
    for (std::size_t i = 0; i < versions.size(); ++i) {
        if (best < 0 || versions[i] > versions[static_cast<std::size_t>(best)])
            best = static_cast<int>(i);
    }
    return best;
}

const std::vector<std::string>& loadVelcppVersions()
{
    WizardSettings& settings = WizardSettings::instance();
    settings.velcppVersions = findVelcppVersions();
    if (settings.velcppVersions.empty()) {
        showWarning(msg::kNoVelcppInstallations);
        endWithStatus(0);
    }
    return settings.velcppVersions;
}

void validatePageZero(int versionIndex)
{
    WizardSettings& settings = WizardSettings::instance();
    if (versionIndex < 0 || static_cast<std::size_t>(versionIndex) >= settings.velcppVersions.size())
        return;
    const std::string version = settings.velcppVersions[static_cast<std::size_t>(versionIndex)];
    settings.velcppPath = findVelcppPath(version);
    settings.velcppVersion = version;
}

std::vector<std::string> pageTwoVsVersions()
{
    std::vector<std::string> labels = availableVsVersions();
    if (labels.empty()) {
        showWarning(msg::kNoVsPersonalities);
        endWithStatus(0);
    }
    return labels;
}

void validatePageTwo(const std::string& vsLabel)
{
    WizardSettings& settings = WizardSettings::instance();
    GenerationContext& ctx = GenerationContext::instance();
    settings.vsVersion = vsLabel;
    const std::string personality = personalityForVsVersion(vsLabel);
    ctx.setWrapper(personality, "msvc", "msvc");
    writeClBat(settings.velcppPath);
    writeMsvcAnalyserPersonality();
    settings.msvcPersonality = personality;
    ctx.setBatch(settings.velcppPath, personality);
}

namespace {

// The VxWorks build batch file and analyser personality that go with a compiler personality;
// answers the Wind River directory the batch file names.
std::string writeVxBuildFiles(const std::string& velcppPath, const std::string& personality)
{
    const std::string windDir = writeVxBuildBatch(velcppPath, personality);
    writeVxAnalyserPersonality(windDir);
    return windDir;
}

} // namespace

std::string validatePageFour(const std::string& personalityField)
{
    WizardSettings& settings = WizardSettings::instance();
    const std::string personality = toShortPath(personalityField);
    const std::string compiler = detectVxCompiler(personality);
    std::string marker;
    if (compiler.empty())
        marker = kPageFourUnknownMarker;
    else
        GenerationContext::instance().setWrapper(personality, "vxworks", compiler);
    settings.vxPersonality = personality;
    settings.vxCompiler = compiler;
    writeVxBuildFiles(settings.velcppPath, personality);
    return marker;
}

bool validatePageFive(int vxVersionIndex, bool diabSelected)
{
    WizardSettings& settings = WizardSettings::instance();
    const std::vector<std::string>& versions = vxWorksVersions();
    if (vxVersionIndex < 0 || static_cast<std::size_t>(vxVersionIndex) >= versions.size())
        return false;
    const std::string vxVersion = versions[static_cast<std::size_t>(vxVersionIndex)];
    const std::string compiler = diabSelected ? "diab" : "gnu";
    const std::string fileName = diabSelected ? "dcc.p_c" : "gcc.p_c";
    const std::string family = diabSelected ? "Diab" : "WindRiver";

    const std::string destination = findZembIntLocationDir() + "\\ZembrelIntegration\\" + compiler;
    const std::string personality = destination + "\\" + fileName;
    ensureParentDir(personality);
    GenerationContext::instance().setWrapper(personality, "vxworks", compiler);
    const std::string windDir = writeVxBuildFiles(settings.velcppPath, personality);
    if (runPersonalityGenerator(fileName, family, windDir, destination, vxVersion) != 0)
        return false;
    settings.vxPersonality = destination;
    settings.vxCompiler = compiler;
    settings.vxVersion = vxVersion;
    return true;
}

bool validatePageSix(bool diabSelected, bool gnuSelected, const std::string& personalityField)
{
    if (!diabSelected && !gnuSelected)
        return false;
    WizardSettings& settings = WizardSettings::instance();
    const std::string compiler = diabSelected ? "diab" : "gnu";
    const std::string personality = toShortPath(personalityField);
    GenerationContext::instance().setWrapper(personality, "vxworks", compiler);
    settings.vxPersonality = personality;
    settings.vxCompiler = compiler;
    writeVxBuildFiles(settings.velcppPath, personality);
    return true;
}

bool validatePagePerson(const PersonChoice& choice)
{
    std::string message = "Default";
    std::string analyser = "None";
    if (choice.customMessage) {
        if (choice.messageBrowseDir.empty())
            return false;
        message = choice.messageText;
    }
    if (choice.customAnalyser) {
        if (choice.analyserBrowseDir.empty())
            return false;
        analyser = choice.analyserText;
    }
    GenerationContext::instance().wrapperAnalyser = analyser;
    WizardSettings& settings = WizardSettings::instance();
    settings.messagePersonality = message;
    settings.analyserPersonality = analyser;
    return true;
}

std::vector<SummaryRow> summaryRows(const std::string& zembDir, const WizardSettings& settings)
{
    return {
        {"Zembrel location:", zembDir},
        {"VEL C++ version:", settings.velcppVersion},
        {"VELCPPPATH:", settings.velcppPath},
        {"MS Visual C++ personality:", settings.msvcPersonality},
        {"VxWorks version:", settings.vxVersion},
        {"VxWorks personality:", settings.vxPersonality},
        {"VxWorks compiler:", settings.vxCompiler},
        {"Message Personality:", settings.messagePersonality},
        {"Analyser Personality:", settings.analyserPersonality},
    };
}

std::string summaryHtml(const std::string& zembDir, const WizardSettings& settings)
{
    const std::vector<SummaryRow> rows = summaryRows(zembDir, settings);
    std::string html = "<h3><u>SUMMARY</u></h3>\n\n\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        html += std::string("<p>") + rows[i].label + "\n";
        html += "<b><br>" + rows[i].value + "</b>";
        html += (i + 1 < rows.size()) ? "\n\n" : "\n";
    }
    return html;
}

std::string summaryHtml() { return summaryHtml(findZembDir(), WizardSettings::instance()); }

void finishWizard()
{
    const WizardSettings& settings = WizardSettings::instance();
    writeWrapperConfig();
    if (settings.messagePersonality != "Default") {
        writeCustomMessagePersonality(settings.messagePersonality);
        writeMsBuildBatch(true);
    } else {
        writeMsBuildBatch(false);
    }
    writeSuppressPersonality();
}

} // namespace conf
