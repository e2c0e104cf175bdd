#include "maintenance/ImportSpec.h"

#include "db/AdoRecordset.h"
#include "maintenance/TableColumns.h"

namespace {
const QString kTemplateFailure = QStringLiteral("导入数据失败,请检查数据模板名称是否正确!");
const QString kCatalogueFailure = QStringLiteral("导入数据失败,错误在%1行%2列!");
const QString kReaderFailure = QStringLiteral("导入文件失败，可能是有的数据为空或有非法字符!");

bool isNumberType(const QString& type)
{
    const QString t = type.toUpper();
    return t.contains(QLatin1String("INT")) || t.contains(QLatin1String("NUMERIC")) || t.contains(QLatin1String("REAL"))
        || t.contains(QLatin1String("DOUBLE"));
}
}

ImportSpec ImportSpec::forTarget(Target target)
{
    ImportSpec spec;
    spec.target = target;
    switch (target) {
    case Target::Readers:
        spec.table = QStringLiteral("readerinfo");
        spec.fieldCount = 12;
        spec.extraCellsRefused = true;
        spec.dateFields = {QStringLiteral("登记日期")};
        spec.dropMidnight = true;
        spec.overwriteBlockers = {QStringLiteral("jieyueinfo"), QStringLiteral("qkjieyueinfo")};
        spec.failureText = spec.fileFailureText = kReaderFailure;
        break;
    case Target::Loans:
        spec.table = QStringLiteral("jieyueinfo");
        spec.firstField = 1;
        spec.fieldCount = 11;
        spec.emptyCellsAsText = true;
        spec.extraCellsRefused = true;
        spec.dateFields = {QStringLiteral("借书日期"), QStringLiteral("应还时间")};
        spec.failureStyle = FailureStyle::DataRow;
        spec.failureText = spec.fileFailureText = QStringLiteral("导入文件失败,错误在%1行!");
        break;
    case Target::LendingHistory:
        spec.table = QStringLiteral("jieyuelishiinfo");
        spec.fieldCount = 9;
        spec.emptyCellsAsText = true;
        spec.extraCellsRefused = true;
        spec.momentField = QStringLiteral("操作时间");
        spec.failureText = spec.fileFailureText = kReaderFailure;
        break;
    case Target::Books:
    case Target::Periodicals: {
        const bool books = target == Target::Books;
        spec.table = books ? QStringLiteral("bkinfo") : QStringLiteral("qikaninfo");
        spec.firstField = 1;
        spec.fieldCount = 16;
        spec.sheet = QStringLiteral("sheet1");
        spec.dateFields = {QStringLiteral("入库时间")};
        spec.inStockField = QStringLiteral("是否借出");
        spec.overwriteBlockers = {books ? QStringLiteral("jieyueinfo") : QStringLiteral("qkjieyueinfo")};
        spec.failureStyle = FailureStyle::RowAndColumn;
        spec.failureText = kCatalogueFailure;
        // The periodicals name the first cell also when the file or its sheet cannot be read.
        spec.fileFailureText = books ? kTemplateFailure : kCatalogueFailure.arg(2).arg(1);
        break;
    }
    }
    return spec;
}

QList<ImportField> ImportSpec::Fields(CAdoConn& conn) const
{
    const QList<TableColumn> columns = tableColumns(conn, table);
    if (columns.size() < firstField + fieldCount)
        throw DbError(QStringLiteral("数据表 %1 的列数不对").arg(table));
    QList<ImportField> fields;
    for (const TableColumn& column : columns.mid(firstField, fieldCount)) {
        ImportField field{column.name};
        if (column.name == inStockField)
            field.kind = ImportField::Kind::InStock;
        else if (column.name == momentField)
            field.kind = ImportField::Kind::Moment;
        else if (dateFields.contains(column.name))
            field.kind = ImportField::Kind::Date;
        else if (isNumberType(column.type))
            field.kind = ImportField::Kind::Number;
        if (emptyCellsAsText)
            field.empty = ImportField::Empty::Text;
        field.dropMidnight = dropMidnight;
        fields << field;
    }
    return fields;
}

namespace {
int progressDivisor(int rows) { return rows >= 32768 ? 10 : 1; }
}

int ImportSpec::ProgressMaximum(int rows) const
{
    return failureStyle == FailureStyle::RowAndColumn ? rows / progressDivisor(rows) : rows + 1;
}

int ImportSpec::ProgressValue(int row, int rows) const
{
    return failureStyle == FailureStyle::RowAndColumn ? (row - 1) / progressDivisor(rows) : row;
}

QString ImportSpec::Failure(int sheetRow, int column) const
{
    switch (failureStyle) {
    case FailureStyle::DataRow:
        return failureText.arg(qMax(0, sheetRow - 1));
    case FailureStyle::RowAndColumn:
        return sheetRow < 2 ? fileFailureText : failureText.arg(sheetRow).arg(column);
    case FailureStyle::Plain:
        break;
    }
    return failureText;
}
