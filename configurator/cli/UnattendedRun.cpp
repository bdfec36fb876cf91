// An unattended configuration: the answers checked page by page, then the pages' work and Finish.
#include "UnattendedRun.h"

#include "AnswersFile.h"
#include "CliMessages.h"

#include "ConfMessages.h"

#include "Discovery.h"
#include "Generators.h"
#include "PageActions.h"
#include "TextFiles.h"
#include "WizardSettings.h"

#include "WindowsPathMap.h"

#include <ostream>
#include <string>
#include <vector>

namespace confcli {

namespace {

// An answer that cannot be taken; its message names the answer and what was offered.
struct Refused {
    std::string message;
};

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

// "Answer "key = value" (line n)"
std::string named(const Answer& answer)
{
    return msg::kAnswer + answer.key + " = " + answer.value + "\"" + msg::kOnLine + std::to_string(answer.line) + ")";
}

[[noreturn]] void refuse(const std::string& what, const std::string& why, const std::vector<std::string>& offered)
{
    throw Refused{what + why + msg::kOffered + joined(offered) + "."};
}

[[noreturn]] void refuseMissing(const char* key, const std::string& why, const std::vector<std::string>& offered)
{
    refuse(msg::kAnswer + std::string(key) + "\"", msg::kMissing + why, offered);
}

const Answer& required(const AnswersFile& answers, const char* key, const std::vector<std::string>& offered)
{
    const Answer* answer = answers.find(key);
    if (!answer)
        refuseMissing(key, "", offered);
    return *answer;
}

void refuseIfGiven(const AnswersFile& answers, const char* key, const std::string& when)
{
    if (const Answer* answer = answers.find(key))
        throw Refused{named(*answer) + msg::kNotAsked + when + "."};
}

// A word compared without regard to letter case, blanks, hyphens and underscores.
std::string wordKey(const std::string& text)
{
    std::string key;
    for (char c : conf::lowerCase(text)) {
        if (c != ' ' && c != '-' && c != '_' && c != '\t')
            key += c;
    }
    return key;
}

bool isWord(const Answer& answer, const char* word)
{
    return wordKey(answer.value) == wordKey(word);
}

// The index of the offered word the answer names; refused when it names none.
std::size_t chosenWord(const Answer& answer, const std::vector<std::string>& offered)
{
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (isWord(answer, offered[i].c_str()))
            return i;
    }
    refuse(named(answer), msg::kNotOffered, offered);
}

// The index of the offered value the answer gives exactly (versions are told apart by every character).
std::size_t chosenValue(const Answer& answer, const std::vector<std::string>& offered)
{
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (answer.value == offered[i])
            return i;
    }
    refuse(named(answer), msg::kNotOffered, offered);
}

// The directory Browse would remember for a file: everything before its last separator.
std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos || slash == 0 ? std::string(".") : path.substr(0, slash);
}

// What the answers make of the pages: the route and every value a page takes.
struct Plan {
    bool visualStudio = false;
    bool generated = false;           // VxWorks: the personality is generated (PageFive)
    int versionIndex = -1;            // PageZero's field "velcpp_ver"
    std::string vsLabel;              // PageTwo
    std::string personalityField;     // PageFour's field "vxworks_person"
    bool diab = false;                // PageFive, PageSix: Diab rather than GNU
    int vxVersionIndex = 0;           // PageFive's field "vxver"
    conf::PersonChoice person;        // PagePerson
};

// PageOne and PageThree: the route, and the answers that route does not ask refused.
void chooseRoute(const AnswersFile& answers, Plan& plan)
{
    const std::vector<std::string> targets = {msg::kVisualStudio, msg::kVxWorks};
    plan.visualStudio = chosenWord(required(answers, "target", targets), targets) == 0;
    if (plan.visualStudio) {
        const std::string when = std::string("target is ") + msg::kVisualStudio;
        for (const char* key : {"compiler-personality", "compiler-personality-file", "compiler", "vxworks-version"})
            refuseIfGiven(answers, key, when);
        return;
    }
    refuseIfGiven(answers, "visual-studio-version", std::string("target is ") + msg::kVxWorks);
    const std::vector<std::string> kinds = {msg::kExisting, msg::kGenerated};
    plan.generated = chosenWord(required(answers, "compiler-personality", kinds), kinds) == 1;
    const std::string when = std::string("compiler-personality is ") + (plan.generated ? msg::kGenerated : msg::kExisting);
    if (const Answer* compiler = answers.find("compiler"))
        plan.diab = chosenWord(*compiler, {msg::kDiab, msg::kGnu}) == 0;
    if (plan.generated) {
        refuseIfGiven(answers, "compiler-personality-file", when);
        if (const Answer* version = answers.find("vxworks-version"))
            plan.vxVersionIndex = static_cast<int>(chosenValue(*version, conf::vxWorksVersions()));
    } else {
        refuseIfGiven(answers, "vxworks-version", when);
        const Answer& file = required(answers, "compiler-personality-file", {msg::kAFile});
        // Checked as the personality answers are: a file the wizard's Browse could have delivered.
        if (!platform::isWindowsFile(file.value))
            refuse(named(file), msg::kNoSuchFile, {msg::kAFile});
        plan.personalityField = file.value;
    }
}

// PagePerson: "default" / "none", or a file that Browse could have delivered.
void choosePersonalities(const AnswersFile& answers, Plan& plan)
{
    struct Side {
        const char* key;
        const char* keyword;
        bool& custom;
        std::string& browseDir;
        std::string& text;
    };
    conf::PersonChoice& person = plan.person;
    const Side sides[] = {
        {"message-personality", msg::kDefault, person.customMessage, person.messageBrowseDir, person.messageText},
        {"analyser-personality", msg::kNone, person.customAnalyser, person.analyserBrowseDir, person.analyserText},
    };
    for (const Side& side : sides) {
        const Answer* answer = answers.find(side.key);
        if (!answer || isWord(*answer, side.keyword))
            continue;
        if (!platform::isWindowsFile(answer->value))
            refuse(named(*answer), msg::kNoSuchFile, {side.keyword, msg::kOrAFile});
        side.custom = true;
        side.browseDir = directoryOf(answer->value);
        side.text = answer->value;
    }
}

// PageZero: the installed versions (none ends the process, as in the wizard), the answer or the
// version the wizard preselects.
int chooseAnalyserVersion(const AnswersFile& answers)
{
    const std::vector<std::string>& versions = conf::loadVelcppVersions();
    if (const Answer* version = answers.find("analyser-version"))
        return static_cast<int>(chosenValue(*version, versions));
    return conf::preselectedVersionIndex(versions);
}

// PageTwo: the Visual Studio versions of the chosen analyser (none ends the process, as in the
// wizard), the answer or the first one, which the wizard makes current.
std::string chooseVisualStudio(const AnswersFile& answers)
{
    const std::vector<std::string> labels = conf::pageTwoVsVersions();
    if (const Answer* label = answers.find("visual-studio-version"))
        return labels[chosenValue(*label, labels)];
    return labels.front();
}

// PageFour's first steps, taken ahead so that the compiler PageSix asks for is known before any
// file is written: the personality's short path (a missing file ends the process, as in the
// wizard) and its detected compiler. An undetected compiler needs the answer; a given answer must
// agree with a detected one.
void checkExistingPersonality(const AnswersFile& answers, Plan& plan)
{
    const std::string detected = conf::detectVxCompiler(conf::toShortPath(plan.personalityField));
    const Answer* compiler = answers.find("compiler");
    if (detected.empty()) {
        if (!compiler)
            refuseMissing("compiler", msg::kCompilerOf + plan.personalityField + msg::kCannotBeDetected,
                          {msg::kDiab, msg::kGnu});
        return;
    }
    if (compiler && !isWord(*compiler, detected.c_str()))
        refuse(named(*compiler), msg::kNotOffered + std::string(": ") + plan.personalityField + msg::kIsFor + detected,
               {detected});
}

// Every page's answer checked, in page order; nothing has been written when this returns.
Plan checkedPlan(const AnswersFile& answers)
{
    Plan plan;
    chooseRoute(answers, plan);
    choosePersonalities(answers, plan);
    plan.versionIndex = chooseAnalyserVersion(answers);
    conf::validatePageZero(plan.versionIndex);
    if (plan.visualStudio)
        plan.vsLabel = chooseVisualStudio(answers);
    else if (!plan.generated)
        checkExistingPersonality(answers, plan);
    return plan;
}

// The platform's pages, which write their files as the wizard's do when Next is pressed. False
// when the page stays (the personality generator failed and has said so).
bool walkPlatformPages(const Plan& plan)
{
    if (plan.visualStudio) {
        conf::validatePageTwo(plan.vsLabel);
        return true;
    }
    if (plan.generated)
        return conf::validatePageFive(plan.vxVersionIndex, plan.diab);
    if (!conf::validatePageFour(plan.personalityField).empty())
        return conf::validatePageSix(plan.diab, !plan.diab, plan.personalityField);
    return true;
}

void printSummary(std::ostream& out, const std::vector<conf::SummaryRow>& rows)
{
    out << msg::kFinished << '\n';
    for (const conf::SummaryRow& row : rows)
        out << row.label << (row.value.empty() ? "" : " ") << row.value << '\n';
}

} // namespace

int statusOfStop(int code, const std::string& message)
{
    if (code != 0)
        return code;
    if (message == conf::msg::kNoVelcppInstallations)
        return kStatusNoInstallation;
    if (message == conf::msg::kNoVsPersonalities)
        return kStatusNoVsPersonality;
    return kStatusRegistryValue;
}

int runUnattended(const AnswersFile& answers, std::ostream& out)
{
    Plan plan;
    try {
        plan = checkedPlan(answers);
    } catch (const Refused& refused) {
        out << refused.message << '\n' << msg::kNothingWritten << '\n' << std::flush;
        return kStatusRefused;
    }
    // Every file written is listed, for a provisioning log; a batch file that lost a path is named.
    std::vector<conf::WrittenFile> lost;
    const conf::WrittenFileObserver previous = conf::setWrittenFileObserver([&](const conf::WrittenFile& file) {
        out << msg::kWrote << file.path << '\n' << std::flush;
        if (!file.lostLine.empty())
            lost.push_back(file);
    });
    struct Restore {
        const conf::WrittenFileObserver& previous;
        ~Restore() { conf::setWrittenFileObserver(previous); }
    } restore{previous};
    if (!walkPlatformPages(plan))
        return kStatusPageRefused;
    conf::validatePagePerson(plan.person);
    const std::vector<conf::SummaryRow> summary =
        conf::summaryRows(conf::findZembDir(), conf::WizardSettings::instance());
    conf::finishWizard();
    printSummary(out, summary);
    for (const conf::WrittenFile& file : lost)
        out << msg::kBatchPathLostHead << file.path << msg::kBatchPathLostMiddle << file.lostLine << '\n';
    out.flush();
    return lost.empty() ? kStatusDone : kStatusBatchPathLost;
}

} // namespace confcli
