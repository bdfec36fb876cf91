// Whether a window shows every text and control whole on this platform's fonts.
#pragma once

#include <QStringList>

class QWidget;

namespace wizardtest {

// One line for each problem among the visible widgets of `window`: a label's, button's or group
// box's text that does not fit the room its widget gives it (measured with the widget's own font
// metrics and style), or a label, button, line edit, combo box or group box that one of its parents
// cuts off. Empty when everything is shown whole.
QStringList cutWidgets(const QWidget* window);

} // namespace wizardtest
