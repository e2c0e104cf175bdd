#include "export/SheetExport.h"

#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "db/AdoRecordset.h"
#include "sheets/ExcelFile.h"
#include "sheets/SpreadsheetFormat.h"

#include <QDir>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace {
QStringList withoutTrailingEmpty(QStringList names)
{
    while (!names.isEmpty() && names.last().isEmpty())
        names.removeLast();
    return names;
}

// Rows go only under the header they belong to: another export's sheet is never extended.
QString headerClash(const QString& path, const QString& sheet, const QStringList& current)
{
    const QString found = QStringLiteral("（%1）").arg(current.join(QStringLiteral("、")));
    if (!isWorkbookFormat(formatForPath(path)))
        return QStringLiteral("文件中已有另一种列头%1，新的行不能写在它下面。请另选一个文件导出。").arg(found);
    return QStringLiteral("文件中的工作表“%1”已有另一种列头%2，新的行不能写在它下面。"
                          "请另选一个文件导出，或在表格程序中把这个工作表改名后再导出。")
        .arg(sheet, found);
}

bool addRows(CExcelFile& file, const QString& path, const SheetRows& content, QString* error)
{
    if (!file.IsReadable()) {
        *error = file.GetErrorDetail();
        return false;
    }
    file.BeginTransaction();
    QStringList current;
    file.GetFieldNames(current);
    current = withoutTrailingEmpty(current);
    if (!current.isEmpty() && current != content.header) {
        *error = headerClash(path, content.sheet, current);
        return false;
    }
    bool added = !current.isEmpty() || file.AddHeaders(content.header, false);
    for (qsizetype i = 0; added && i < content.rows.size(); ++i)
        added = file.AddRow(content.rows[i]);
    if (!added)
        *error = file.GetErrorDetail();
    return added;
}
}

bool exportSheet(const QString& path, const QString& sheet, bool backup, const QStringList& header,
                 const QList<QStringList>& rows, QString* error)
{
    CExcelFile file(path, sheet, backup);
    if (!addRows(file, path, {sheet, header, rows}, error))
        return false;
    if (file.Commit())
        return true;
    *error = file.GetErrorDetail();
    return false;
}

bool exportSheets(const QString& path, const QList<SheetRows>& sheets, QString* error)
{
    std::vector<std::unique_ptr<CExcelFile>> files;
    std::vector<CExcelFile*> alongside;
    for (const SheetRows& sheet : sheets) {
        files.push_back(std::make_unique<CExcelFile>(path, sheet.sheet));
        if (!addRows(*files.back(), path, sheet, error))
            return false;
        if (files.size() > 1)
            alongside.push_back(files.back().get());
    }
    if (files.empty() || files.front()->Commit(alongside))
        return true;
    *error = files.front()->GetErrorDetail();
    return false;
}

QString withReason(const QString& message, const QString& reason)
{
    const QString trimmed = reason.trimmed();
    return trimmed.isEmpty() ? message : message + QLatin1Char('\n') + trimmed;
}

QString withDefaultExtension(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".xls");
}

QString chooseWorkbook(QWidget* window, const QString& name, const QString& filter)
{
    const QString proposed = name.isEmpty() ? QString() : QDir::current().filePath(name + QStringLiteral(".xls"));
    return withDefaultExtension(FileChooser::instance().saveFile(window, QStringLiteral("另存为"), proposed, filter));
}

void exportSummary(QWidget* window, const QString& sheet, const QStringList& header,
                   const std::optional<QList<QStringList>>& rows, EmptySummary empty)
{
    if (!rows)
        return showMessage(window, QStringLiteral("查询数据为空!"));
    const QString path = chooseWorkbook(window, sheet);
    if (path.isEmpty())
        return;
    QString error;
    if ((rows->isEmpty() && empty == EmptySummary::Fails) || !exportSheet(path, sheet, false, header, *rows, &error))
        return showMessage(window, withReason(QStringLiteral("导出数据失败!"), error));
    showMessage(window, QStringLiteral("导出数据成功!"));
}

void exportQuerySheet(QWidget* window, const QString& sheet, const QStringList& header,
                      const std::function<QList<QStringList>()>& rows)
{
    const QString path = chooseWorkbook(window, sheet);
    if (path.isEmpty())
        return;
    QString error;
    bool written = false;
    try {
        written = exportSheet(path, sheet, true, header, rows(), &error);
    } catch (const DbError& e) {
        error = e.text();
    }
    showMessage(window, written ? QStringLiteral("导出文件成功!") : withReason(QStringLiteral("请操作失败!"), error));
}
