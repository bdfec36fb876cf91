// Page identifiers of the wizard and the transitions between pages, as data.
#pragma once

#include <string>

namespace conf {

// Identifiers fixed at registration.
enum PageId : int {
    PageZeroId = 0,   // analyser version
    PageOneId = 1,    // target platform
    PageTwoId = 2,    // Visual Studio version
    PageThreeId = 3,  // have / do not have a compiler personality
    PageFourId = 4,   // choose an existing compiler personality file
    PageFiveId = 5,   // generate a compiler personality
    PageSixId = 6,    // choose the compiler when it cannot be detected
    PagePersonId = 7, // message and analyser personalities
    PageLastId = 8,   // summary
    PageCount = 9
};

// What a page's next page depends on.
enum class TransitionRule {
    Always,   // always `first`
    ByChoice, // `first` if the first option is selected, else `second` if the second is, else stay
    ByMarker, // `first` if the page's detection marker is non-empty, else `second`
    Final     // no next page (Finish)
};

struct PageTransition {
    int page;
    TransitionRule rule;
    int first;
    int second;
};

// The transition table, indexed by page id.
const PageTransition& pageTransition(int page);

// The state of a page that decides the transition: its two options and its detection marker.
struct PageChoice {
    bool firstSelected = false;
    bool secondSelected = false;
    std::string marker;
};

// The next page id of `page` (-1 for the final page). A page that names itself keeps the wizard there.
int nextPageId(int page, const PageChoice& choice = {});

// The marker PageFour sets when the compiler of the chosen personality cannot be detected.
extern const char* const kPageFourUnknownMarker; // "unknown - so do pagesix"

} // namespace conf
