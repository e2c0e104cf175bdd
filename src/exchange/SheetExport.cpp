#include "exchange/SheetExport.h"

#include "exchange/ExcelFile.h"

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
