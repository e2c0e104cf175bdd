#include "controls/FileChooser.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTreeView>

#include <algorithm>

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

// The files a filter lists. The readers behind a filter of .xls take .xlsx workbooks too, so
// where no filter offers .xlsx, the .xls filter lists them beside the .xls files (in any case,
// as the filter does) while its caption stays as the window gives it.
QStringList listedPatterns(const QString& filter, const QStringList& offered)
{
    static const QRegularExpression patternList(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const auto patterns = [](const QString& text) {
        const QRegularExpressionMatch match = patternList.match(text);
        return match.hasMatch() ? match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts) : QStringList{text};
    };
    const auto offers = [&](const QString& text, const QString& pattern) {
        return patterns(text).contains(pattern, Qt::CaseInsensitive);
    };
    QStringList listed = patterns(filter);
    const QString xls = QStringLiteral("*.xls");
    const QString xlsx = QStringLiteral("*.xlsx");
    if (offers(filter, xls)
        && std::none_of(offered.begin(), offered.end(), [&](const QString& f) { return offers(f, xlsx); }))
        listed << xlsx;
    return listed;
}

// The program's own dialog on every desktop, so that what it lists and shows is the same
// everywhere. Qt sizes the columns of the detail view for short English words; here size,
// type ("Excel 2007 电子表格") and date are as wide as their texts and the name takes the
// rest of a dialog as large as a Windows open dialog.
void shapeDialog(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.resize(dialog.size().expandedTo(QSize(800, 500)));
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

QString chosenFile(QFileDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
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
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    shapeDialog(dialog);
    if (auto* files = dialog.findChild<QFileSystemModel*>()) {
        const QStringList offered = dialog.nameFilters();
        const auto list = [files, offered](const QString& chosen) {
            files->setNameFilters(listedPatterns(chosen, offered));
        };
        list(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, files, list);
    }
    return chosenFile(dialog);
}

QString DialogFileChooser::saveFile(QWidget* parent, const QString& caption, const QString& proposedPath,
                                    const QString& filter)
{
    QFileDialog dialog(parent, caption, proposedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // No "replace?" question: the exports append to an existing file behind a backup
    // sheet, or refuse it with their own message.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    shapeDialog(dialog);
    const QString path = chosenFile(dialog);
    return withFilterSuffix(path, dialog.selectedNameFilter());
}

QString DialogFileChooser::folder(QWidget* parent, const QString& caption, const QString& folder)
{
    QFileDialog dialog(parent, caption, folder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    shapeDialog(dialog);
    return chosenFile(dialog);
}
