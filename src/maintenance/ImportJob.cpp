#include "maintenance/ImportJob.h"

#include "catalogue/StockTables.h"
#include "circulation/LendingService.h"
#include "db/AdoConn.h"
#include "db/Statements.h"
#include "sheets/Sheet.h"
#include "sheets/SpreadsheetFile.h"
#include "sheets/SpreadsheetIdle.h"
#include "maintenance/TableColumns.h"

#include <algorithm>

// Thrown to end the import; the transaction rolls back on the way out.
struct CImportJob::Stop {
    int sheetRow = 0;  // 1 = the headings; 0 = before any row
    int column = 0;    // 1-based; 0 = none
    QString reason;
    bool whole = false;  // the reason is the whole message
};

namespace {

// The insert of one row, every field bound; an empty cell takes the field's default.
QString insertStatement(CAdoConn& conn, const ImportSpec& spec)
{
    QStringList names, values;
    for (const TableColumn& column : tableColumns(conn, spec.table).mid(spec.firstField, spec.fieldCount)) {
        names << quotedName(column.name);
        values << (column.defaultValue.isEmpty() ? QStringLiteral("?")
                                                 : QStringLiteral("coalesce(?, %1)").arg(column.defaultValue));
    }
    return QStringLiteral("insert into %1 (%2) values (%3)")
        .arg(spec.table, names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
}

int fieldIndex(const QList<ImportField>& fields, const QString& name)
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name == name)
            return i;
    return -1;
}

qint64 firstNumber(CAdoConn& conn, const QString& sql, const QVariantList& values = {})
{
    return openOrThrow(conn, sql, values)->GetValue(0).toLongLong();
}
}

CImportJob::CImportJob(ImportSpec spec, QString path, QString databasePath, bool overwrite)
    : m_spec(std::move(spec)), m_path(std::move(path)), m_databasePath(std::move(databasePath)), m_overwrite(overwrite)
{
}

void CImportJob::Run()
{
    bool done = false;
    int stored = 0;
    QString message;
    {
        const SpreadsheetWorker counted;
        CAdoConn conn;
        try {
            stored = Import(conn);
            done = true;
        } catch (const Stop& stop) {
            message = stop.whole ? stop.reason : Message(stop);
        } catch (const DbError& e) {
            message = Message(Stop{0, 0, e.text()});
        }
    }
    m_sheet = nullptr;
    m_workbook.clear();
    emit Finished(done, stored, message);
}

int CImportJob::Import(CAdoConn& conn)
{
    if (!conn.Connect(m_databasePath))
        throw Stop{0, 0, QStringLiteral("无法打开数据库：%1").arg(conn.LastError())};
    const Sheet& sheet = ReadSheet();
    const QList<ImportField> fields = m_spec.Fields(conn);
    CTransaction transaction(conn);
    if (!transaction.IsActive())
        throw DbError(conn.LastError());
    if (m_overwrite)
        Overwrite(conn);
    const qint64 lastRowBefore =
        firstNumber(conn, QStringLiteral("select coalesce(max(rowid), 0) from ") + m_spec.table);
    const int stored = StoreRows(conn, sheet, fields);
    Recount(conn, lastRowBefore);
    if (!transaction.Commit())
        throw DbError(conn.LastError());
    return stored;
}

const Sheet& CImportJob::ReadSheet()
{
    if (!isWorkbookContent(sniffContent(m_path)))
        throw Stop{0, 0, QStringLiteral("%1 不是Excel文件").arg(m_path)};
    QString error;
    if (!readSpreadsheet(m_path, QLatin1Char(','), &m_workbook, &error))
        throw Stop{0, 0, error};
    const int found = sheetIndex(m_workbook, m_spec.sheet);
    if (found < 0)
        throw Stop{0, 0, QStringLiteral("文件中没有工作表“%1”").arg(m_spec.sheet)};
    m_sheet = &m_workbook[size_t(found)];
    return *m_sheet;
}

void CImportJob::Overwrite(CAdoConn& conn)
{
    for (const QString& loans : m_spec.overwriteBlockers)
        if (firstNumber(conn, QStringLiteral("select count(*) from ") + loans) > 0)
            throw Stop{0, 0, QStringLiteral("还有未归还的借阅记录，不能覆盖原来的数据！"), true};
    executeOrThrow(conn, QStringLiteral("delete from ") + m_spec.table);
}

int CImportJob::StoreRows(CAdoConn& conn, const Sheet& sheet, const QList<ImportField>& fields)
{
    const QString insert = insertStatement(conn, m_spec);
    const bool loans = m_spec.target == ImportSpec::Target::Loans;
    const int bookNumber = fieldIndex(fields, QStringLiteral("图书编号"));
    const int rows = sheet.rowCount() - 1;
    const int step = std::max(1, rows / 100);
    const int columns = sheet.columnCount();
    QVariantList values;
    for (int row = 1; row <= rows; ++row) {
        const CellRow& cells = sheet.rows[size_t(row)];
        values.clear();
        for (int i = 0; i < fields.size(); ++i) {
            const FieldValue value = fieldValue(fields[i], i < int(cells.size()) ? cells[size_t(i)] : SheetCell());
            if (!value.refusal.isEmpty())
                throw Stop{row + 1, i + 1, value.refusal};
            values << value.value;
        }
        if (m_spec.extraCellsRefused)
            RefuseExtraCells(cells, columns, int(fields.size()), row + 1);
        if (loans)
            LendCopy(conn, values[bookNumber].toString(), row + 1, bookNumber + 1);
        if (!conn.ExecuteSql(insert, values))
            throw StoreFailure(conn.LastError(), values, fields, row + 1);
        if (row % step == 0 || row == rows)
            emit Progress(m_spec.ProgressValue(row, rows), m_spec.ProgressMaximum(rows));
    }
    return std::max(rows, 0);
}

// A row writes as many cells as the sheet has columns: a cell past the table's fields that
// is written (any cell, where empty ones are written as texts) has nowhere to go.
void CImportJob::RefuseExtraCells(const CellRow& cells, int columns, int fieldCount, int sheetRow) const
{
    for (int i = fieldCount; i < columns; ++i) {
        const bool written =
            m_spec.emptyCellsAsText || (i < int(cells.size()) && !cells[size_t(i)].displayText().isEmpty());
        if (written)
            throw Stop{sheetRow, i + 1,
                       QStringLiteral("数据表%1只有%2个字段，这一列无处可存").arg(m_spec.table).arg(fieldCount)};
    }
}

// A loan takes a copy in the catalogue that is neither lent nor reserved, and marks it lent.
void CImportJob::LendCopy(CAdoConn& conn, const QString& bookNumber, int sheetRow, int column)
{
    const StockTables& books = StockTables::books();
    if (books.isOut(conn, bookNumber))
        throw Stop{sheetRow, column, QStringLiteral("图书“%1”已借出或预约").arg(bookNumber)};
    executeOrThrow(conn, QStringLiteral("update bkinfo set 是否借出=1 where 图书编号=?"), {bookNumber});
    if (conn.ChangedRows() == 0)
        throw Stop{sheetRow, column, QStringLiteral("书库中没有图书“%1”").arg(bookNumber)};
}

void CImportJob::Recount(CAdoConn& conn, qint64 lastRowBefore)
{
    LendingService readers(conn, QString());
    if (m_spec.target == ImportSpec::Target::Readers)
        readers.recountReaders(QStringLiteral("rowid > ?"), {lastRowBefore});
    else if (m_spec.target == ImportSpec::Target::Loans)
        readers.recountReaders(QStringLiteral("编号 in (select 读者编号 from jieyueinfo where rowid > ?)"), {lastRowBefore});
}

// What a refused insert means for the user: a number stored already, a field left empty
// that must hold something, or a value its field does not take.
CImportJob::Stop CImportJob::StoreFailure(const QString& error, const QVariantList& values,
                                          const QList<ImportField>& fields, int sheetRow) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (!error.contains(fields[i].name))
            continue;
        const QString value = values[i].toString();
        if (error.contains(QLatin1String("UNIQUE")))
            return {sheetRow, i + 1, QStringLiteral("编号“%1”已经存在").arg(value)};
        if (value.isEmpty())
            return {sheetRow, i + 1, QStringLiteral("不能为空")};
        return {sheetRow, i + 1, QStringLiteral("“%1”不符合要求（%2）").arg(value, error)};
    }
    return {sheetRow, 0, error};
}

QString CImportJob::Message(const Stop& stop) const
{
    const QString text = m_spec.Failure(stop.sheetRow, stop.column) + QLatin1Char('\n');
    if (stop.sheetRow == 0)
        return text + stop.reason;
    // Where the failure text names the row, the reason names none: the loans count their
    // data rows, a second number would count the sheet's.
    const QString row = m_spec.failureStyle == ImportSpec::FailureStyle::Plain
                            ? QStringLiteral("第%1行").arg(stop.sheetRow)
                            : QString();
    if (stop.column == 0)
        return text + (row.isEmpty() ? stop.reason : row + QStringLiteral("：") + stop.reason);
    QString heading;
    if (m_sheet && !m_sheet->rows.empty() && stop.column <= int(m_sheet->rows[0].size()))
        heading = m_sheet->rows[0][size_t(stop.column - 1)].displayText().trimmed();
    if (heading.isEmpty())
        heading = QStringLiteral("第%1").arg(stop.column);
    return text + row + QStringLiteral("“%1”列：%2").arg(heading, stop.reason);
}
