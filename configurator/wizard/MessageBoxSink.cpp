// The warning-box message sink of the configurator.
#include "MessageBoxSink.h"

#include "MessageSink.h"
#include "QtStdText.h"

#include <QMessageBox>

namespace wizard {

void installMessageBoxSink()
{
    conf::setWarningSink([](const std::string& message) {
        QMessageBox::warning(nullptr, QString(), toQt(message), QMessageBox::Ok);
    });
}

} // namespace wizard
