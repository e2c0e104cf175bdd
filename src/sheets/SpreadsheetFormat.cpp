#include "sheets/SpreadsheetFormat.h"

#include <QFileInfo>
#include <QSet>

SpreadsheetFormat formatForPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xls"))
        return SpreadsheetFormat::Xls;
    if (suffix == QLatin1String("xlsx"))
        return SpreadsheetFormat::Xlsx;
    return SpreadsheetFormat::Text;
}

QString xlsRowLimitText(int rows)
{
    return QStringLiteral("xls文件最多65536行（含列头），本次有%1行，请改存为xlsx文件。").arg(rows);
}

QString cellTooLongText(int row, int column)
{
    return QStringLiteral("第%1行第%2列的文字超过%3个字符，表格文件存不下。").arg(row).arg(column).arg(kMaxCellText);
}

bool cellTextTooLong(const SheetCell& cell)
{
    if (cell.kind != SheetCell::Kind::Text)
        return false;
    if (!cell.isPooled())
        return cell.text.size() > kMaxCellText;
    // A pooled text has no more UTF-16 units than UTF-8 bytes: a short one needs no decoding.
    return cell.pooledSize > kMaxCellText && cell.displayText().size() > kMaxCellText;
}

namespace {
QString sheetNameError(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("工作表名称不能为空。");
    if (name.size() > kMaxSheetName)
        return QStringLiteral("工作表名称最多%1个字符：%2").arg(kMaxSheetName).arg(name);
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    for (QChar c : name) {
        if (forbidden.contains(c))
            return QStringLiteral("工作表名称不能含有字符 %1：%2").arg(c).arg(name);
    }
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        return QStringLiteral("工作表名称不能以单引号开头或结尾：%1").arg(name);
    return {};
}

QString sizeError(SpreadsheetFormat format, const SheetSource& sheet)
{
    const bool xls = format == SpreadsheetFormat::Xls;
    const int rows = sheet.rowCount();
    const int columns = sheet.columnCount();
    if (xls && rows > kXlsMaxRows)
        return xlsRowLimitText(rows);
    if (xls && columns > kXlsMaxColumns)
        return QStringLiteral("xls文件最多%1列，本次有%2列，请改存为xlsx文件。").arg(kXlsMaxColumns).arg(columns);
    if (rows > kXlsxMaxRows || columns > kXlsxMaxColumns)
        return QStringLiteral("表格最多%1行、%2列，本次有%3行、%4列。")
            .arg(kXlsxMaxRows)
            .arg(kXlsxMaxColumns)
            .arg(rows)
            .arg(columns);
    return {};
}
}

QString limitError(SpreadsheetFormat format, const SheetList& sheets)
{
    if (format == SpreadsheetFormat::Text)
        return {};
    QSet<QString> names;
    for (const SheetSource* sheet : sheets) {
        QString error = sizeError(format, *sheet);
        if (error.isEmpty())
            error = sheetNameError(sheet->name());
        if (!error.isEmpty())
            return error;
        const QString key = sheet->name().toLower();
        if (names.contains(key))
            return QStringLiteral("工作表名称重复：%1").arg(sheet->name());
        names.insert(key);
    }
    return {};
}
