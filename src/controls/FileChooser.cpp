#include "controls/FileChooser.h"

#include <QFileDialog>

namespace {
FileChooser* g_installed = nullptr;
}

FileChooser& FileChooser::instance()
{
    static DialogFileChooser dialogs;
    return g_installed ? *g_installed : dialogs;
}

void FileChooser::install(FileChooser* chooser) { g_installed = chooser; }

QString DialogFileChooser::openFile(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString DialogFileChooser::saveFile(QWidget* parent, const QString& caption, const QString& proposedPath,
                                    const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, proposedPath, filter);
}

QString DialogFileChooser::folder(QWidget* parent, const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}
