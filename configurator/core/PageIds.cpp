// The wizard's transition table and its evaluation.
#include "PageIds.h"

namespace conf {

const char* const kPageFourUnknownMarker = "unknown - so do pagesix";

namespace {

const PageTransition kTransitions[PageCount] = {
    {PageZeroId, TransitionRule::Always, PageOneId, PageOneId},
    {PageOneId, TransitionRule::ByChoice, PageTwoId, PageThreeId},
    {PageTwoId, TransitionRule::Always, PagePersonId, PagePersonId},
    {PageThreeId, TransitionRule::ByChoice, PageFourId, PageFiveId},
    {PageFourId, TransitionRule::ByMarker, PageSixId, PagePersonId},
    {PageFiveId, TransitionRule::Always, PagePersonId, PagePersonId},
    {PageSixId, TransitionRule::Always, PagePersonId, PagePersonId},
    {PagePersonId, TransitionRule::Always, PageLastId, PageLastId},
    {PageLastId, TransitionRule::Final, -1, -1},
};

} // namespace

const PageTransition& pageTransition(int page)
{
    if (page < 0 || page >= PageCount)
        return kTransitions[PageLastId];
    return kTransitions[page];
}

int nextPageId(int page, const PageChoice& choice)
{
    if (page < 0 || page >= PageCount)
        return -1;
    const PageTransition& t = kTransitions[page];
    switch (t.rule) {
    case TransitionRule::Always:
        return t.first;
    case TransitionRule::ByChoice:
        if (choice.firstSelected)
            return t.first;
        if (choice.secondSelected)
            return t.second;
        return page;
    case TransitionRule::ByMarker:
        return choice.marker.empty() ? t.second : t.first;
    case TransitionRule::Final:
        break;
    }
    return -1;
}

} // namespace conf
