// The open-file dialog behind every Browse button, replaceable so that tests never wait on a dialog.
#pragma once

#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace wizard {

// Answers the chosen file's path, or an empty text when the user cancelled.
using FileChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& startDir,
                                          const QString& filter)>;

// Opens the chooser in use (the system's open-file dialog unless replaced).
QString chooseFile(QWidget* parent, const QString& caption, const QString& startDir, const QString& filter);

// Replaces the chooser; an empty one restores the system dialog. Answers the previous one.
FileChooser setFileChooser(FileChooser chooser);

// What a Browse button does with the chooser's answer: the chosen path, with native separators,
// goes into `lineEdit` and `rememberedDir` becomes the file's absolute directory; a cancelled
// dialog changes nothing.
void browseInto(QWidget* parent, const QString& caption, const QString& filter, QLineEdit* lineEdit,
                QString& rememberedDir);

} // namespace wizard
