// The replaceable open-file dialog and the shared behaviour of the Browse buttons.
#include "FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include <utility>

namespace wizard {

namespace {

FileChooser& installedChooser()
{
    static FileChooser chooser;
    return chooser;
}

} // namespace

QString chooseFile(QWidget* parent, const QString& caption, const QString& startDir, const QString& filter)
{
    if (installedChooser())
        return installedChooser()(parent, caption, startDir, filter);
    return QFileDialog::getOpenFileName(parent, caption, startDir, filter);
}

FileChooser setFileChooser(FileChooser chooser)
{
    return std::exchange(installedChooser(), std::move(chooser));
}

void browseInto(QWidget* parent, const QString& caption, const QString& filter, QLineEdit* lineEdit,
                QString& rememberedDir)
{
    const QString chosen = chooseFile(parent, caption, rememberedDir, filter);
    if (chosen.isEmpty())
        return;
    lineEdit->setText(QDir::toNativeSeparators(chosen));
    rememberedDir = QFileInfo(chosen).absolutePath();
}

} // namespace wizard
