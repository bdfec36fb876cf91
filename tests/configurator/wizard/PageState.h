// A text record of what a wizard page holds, so that two platforms' tours can be compared line by line.
#pragma once

#include <QString>

class QWizard;

namespace wizardtest {

// The current page of `wizard` as text, one line per control in the order of creation:
// "<page>/<path>: <kind> [checked|unchecked] [\"text\"] enabled|disabled [hidden]", where a line
// edit, combo box or text box shows its text in quotes (line ends as "\n") and a check or radio button
// whether it is checked. The last line names the wizard buttons shown and whether each is enabled.
QString pageState(const QWizard& wizard);

} // namespace wizardtest
