#include "controls/FileChooser.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {
FileChooser* g_installed = nullptr;

// A name typed without extension takes that of the filter chosen ("Excel文件(*.xlsx)").
QString withFilterSuffix(const QString& path, const QString& filter)
{
    static const QRegularExpression suffix(QStringLiteral("\\(\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = suffix.match(filter);
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty() || !match.hasMatch())
        return path;
    return path + QLatin1Char('.') + match.captured(1);
}
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
    // No "replace?" question: the exports append to an existing file behind a backup
    // sheet, or refuse it with their own message.
    QString chosenFilter;
    const QString path = QFileDialog::getSaveFileName(parent, caption, proposedPath, filter, &chosenFilter,
                                                      QFileDialog::DontConfirmOverwrite);
    return withFilterSuffix(path, chosenFilter);
}

QString DialogFileChooser::folder(QWidget* parent, const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}
