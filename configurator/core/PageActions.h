// What each wizard page does besides its widgets: lists, validation, the summary and Finish.
#pragma once

#include <string>
#include <vector>

namespace conf {

struct WizardSettings;

// The VxWorks versions PageFive offers: "6.0" ... "6.9".
const std::vector<std::string>& vxWorksVersions();

// The entry PageZero makes current: the greatest by plain string comparison, the first of equal
// ones; -1 for an empty list.
int preselectedVersionIndex(const std::vector<std::string>& versions);

// PageZero construction: fills WizardSettings::velcppVersions and answers it; with no accepted
// version shows "No installations of VELC++ found..." and ends with 0.
const std::vector<std::string>& loadVelcppVersions();

// PageZero validation with the index of field "velcpp_ver": sets velcppPath and velcppVersion.
void validatePageZero(int versionIndex);

// PageTwo initialisation: the Visual Studio labels to offer; with none shows
// "No VELC++ Visual Studio personalities found..." and ends with 0.
std::vector<std::string> pageTwoVsVersions();

// PageTwo validation with the combo box's current text: writes cl.bat and zembrel-msvc.p_a.
void validatePageTwo(const std::string& vsLabel);

// PageFour validation with the text of field "vxworks_person"; writes the VxWorks files and
// answers the page's new detection marker (kPageFourUnknownMarker or empty).
std::string validatePageFour(const std::string& personalityField);

// PageFive validation with the index of field "vxver" and whether Diab is selected (otherwise GNU);
// runs the personality generator; false keeps the wizard on the page.
bool validatePageFive(int vxVersionIndex, bool diabSelected);

// PageSix validation; false (no compiler selected) keeps the wizard on the page.
bool validatePageSix(bool diabSelected, bool gnuSelected, const std::string& personalityField);

// The state of PagePerson that its validation reads.
struct PersonChoice {
    bool customMessage = false;
    std::string messageBrowseDir; // remembered directory; empty when Browse never delivered a file
    std::string messageText;      // text of "messPerson"
    bool customAnalyser = false;
    std::string analyserBrowseDir;
    std::string analyserText;     // text of "analPerson"
};

// PagePerson validation; false keeps the wizard on the page.
bool validatePagePerson(const PersonChoice& choice);

// One row of the summary: its label ("Zembrel location:") and its value.
struct SummaryRow {
    const char* label;
    std::string value;
};

// The nine rows of the summary for the given Zembrel directory and settings, in their order.
std::vector<SummaryRow> summaryRows(const std::string& zembDir, const WizardSettings& settings);

// The summary page's HTML for the given Zembrel directory and settings.
std::string summaryHtml(const std::string& zembDir, const WizardSettings& settings);
// The summary page's HTML, with the Zembrel directory looked up anew.
std::string summaryHtml();

// Finish: wrapper configuration, custom message personality if chosen, the Visual Studio build
// batch file, the suppression personality.
void finishWizard();

} // namespace conf
