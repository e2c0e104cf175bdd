#include "export/SheetExport.h"

#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "db/AdoRecordset.h"
#include "sheets/ExcelFile.h"

#include <QDir>
#include <QFileInfo>

bool exportSheet(const QString& path, const QString& sheet, bool backup, const QStringList& header,
                 const QList<QStringList>& rows, QString* error)
{
    CExcelFile file(path, sheet, backup);
    auto failed = [&] {
        *error = file.GetLastError();
        return false;
    };
    if (!file.IsReadable())
        return failed();
    file.BeginTransaction();
    QStringList current;
    file.GetFieldNames(current);
    if (current != header && !file.AddHeaders(header, false))
        return failed();
    for (const QStringList& row : rows) {
        if (!file.AddRow(row))
            return failed();
    }
    return file.Commit() || failed();
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
        return showMessage(window, QStringLiteral("导出数据失败!"));
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
    } catch (const DbError&) {
        written = false;
    }
    showMessage(window, written ? QStringLiteral("导出文件成功!") : QStringLiteral("请操作失败!"));
}
