#include "catalogue/BookStore.h"

#include "catalogue/StockTables.h"

#include "core/DateText.h"
#include "core/NumberSequence.h"
#include "core/NumberText.h"
#include "db/AdoConn.h"
#include "db/LikePattern.h"
#include "db/Statements.h"

bool isPriceText(const QString& price)
{
    int points = 0;
    for (const QChar c : price) {
        if (c == QLatin1Char('.'))
            ++points;
        else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return points <= 1;
}

namespace {
// The entry date as every write stores it; false when a date was typed that is none.
bool normalizeEntryDate(BookValues& values)
{
    if (values[kEntryDate].isEmpty())
        return true;
    values[kEntryDate] = normalizedDateText(values[kEntryDate]);
    return !values[kEntryDate].isNull();
}
}

QString copyNumberText(CAdoConn& conn, CopyTable table, const QString& title)
{
    if (title.isEmpty())
        return {};
    const QString sql = table == CopyTable::Books
        ? QStringLiteral("select count(*) from bkinfo where 书名=?")
        : QStringLiteral("select count(*) from qikaninfo where 期刊名称=?");
    RecordsetPtr rs = conn.GetRecordSet(sql, {title});
    return QString::number(rs->GetValue(0).toLongLong() + 1);
}

const QStringList& CBookStore::columnNames()
{
    static const QStringList names{
        QStringLiteral("条形码"), QStringLiteral("图书编号"), QStringLiteral("分类号"), QStringLiteral("图书类别"),
        QStringLiteral("复本号"), QStringLiteral("书名"), QStringLiteral("著译者"), QStringLiteral("出版处"),
        QStringLiteral("页数"), QStringLiteral("开本"), QStringLiteral("版期"), QStringLiteral("版次"),
        QStringLiteral("单价"), QStringLiteral("书架名称"), QStringLiteral("入库时间")};
    return names;
}

QString CBookStore::checkEntry(const BookValues& values)
{
    if (values[kIsbn].isEmpty())
        return QStringLiteral("请输入ISBN码!");
    if (values[kBookNo].isEmpty())
        return QStringLiteral("请输入图书编号!");
    if (values[kTitle].isEmpty())
        return QStringLiteral("请输入书籍名称!");
    if (values[kPrice].isEmpty())
        return QStringLiteral("请输入图书单价!");
    if (!isPriceText(values[kPrice]))
        return QStringLiteral("单价里含有非数字!");
    if (values[kEntryDate].isEmpty())
        return QStringLiteral("请输入入库时间!");
    if (normalizedDateText(values[kEntryDate]).isNull())
        return notADateMessage(QStringLiteral("入库时间"), values[kEntryDate]);
    return {};
}

AddCopiesResult CBookStore::addCopies(BookValues values, int copies, bool numberCopies)
{
    AddCopiesResult result;
    if (!normalizeEntryDate(values)) {
        result.failed = true;
        return result;
    }
    QString number = withoutLeadingAsciiBlanks(values[kBookNo]);
    for (int copy = 0; copy < copies; ++copy) {
        try {
            if (numberCopies)
                values[kCopyNo] = copyNumberText(m_conn, CopyTable::Books, values[kTitle]);
            if (exists(number)) {
                result.duplicateNo = number;
                return result;
            }
        } catch (const DbError&) {
            result.failed = true;
            return result;
        }
        values[kBookNo] = number;
        if (!insert(values)) {
            result.failed = true;
            return result;
        }
        ++result.added;
        number = nextNumberText(number);
    }
    result.nextBookNo = number;
    return result;
}

bool CBookStore::exists(const QString& bookNo)
{
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select 图书编号 from bkinfo where 图书编号=?"), {bookNo});
    return rs->GetRecordCount() > 0;
}

bool CBookStore::insert(const BookValues& values)
{
    try {
        RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select* from bkinfo where 0"));
        rs->AddNew();
        for (int field = 0; field < kBookFieldCount; ++field)
            if (!values[field].isEmpty())
                rs->PutCollect(field + 1, values[field]);
        rs->Update();
        return true;
    } catch (const DbError&) {
        return false;
    }
}

SaveOutcome CBookStore::save(const QString& bookNo, BookValues values, EmptyTexts empty)
{
    if (!normalizeEntryDate(values))
        return SaveOutcome::NotADate;
    const auto written = [&values, empty](int field) { return empty == EmptyTexts::Written || !values[field].isEmpty(); };
    QStringList assignments;
    QVariantList params;
    for (int field = 0; field < kBookFieldCount; ++field) {
        if (!written(field))
            continue;
        assignments << columnNames()[field] + QStringLiteral("=?");
        params << values[field];
    }
    if (assignments.isEmpty())
        return SaveOutcome::Failed;
    params << bookNo;
    CTransaction transaction(m_conn);
    try {
        RecordsetPtr stored = openOrThrow(m_conn, QStringLiteral("select 图书编号 from bkinfo where 图书编号=?"), {bookNo});
        if (stored->IsEOF())
            return SaveOutcome::Failed;
        const QString storedNo = stored->GetCollect(0);
        if (written(kBookNo) && values[kBookNo] != storedNo && StockTables::books().isOut(m_conn, storedNo))
            return SaveOutcome::OnLoan;
    } catch (const DbError&) {
        return SaveOutcome::Failed;
    }
    const QString sql = QStringLiteral("update bkinfo set %1 where 图书编号=?").arg(assignments.join(QLatin1Char(',')));
    if (!m_conn.ExecuteSql(sql, params) || m_conn.ChangedRows() != 1 || !transaction.Commit())
        return SaveOutcome::Failed;
    return SaveOutcome::Saved;
}

QString CBookStore::saveRefusal(SaveOutcome outcome, const QString& bookNo, const BookValues& values,
                                const QString& failure)
{
    switch (outcome) {
    case SaveOutcome::Saved:
        break;
    case SaveOutcome::NotADate:
        return notADateMessage(QStringLiteral("入库时间"), values[kEntryDate]);
    case SaveOutcome::OnLoan:
        return QStringLiteral("图书%1已借出或预约，不能修改图书编号！").arg(bookNo);
    case SaveOutcome::Failed:
        return failure;
    }
    return {};
}

DeleteOutcome CBookStore::remove(const QString& bookNo)
{
    CTransaction transaction(m_conn);
    try {
        if (StockTables::books().isOut(m_conn, bookNo))
            return DeleteOutcome::OnLoan;
    } catch (const DbError&) {
        return DeleteOutcome::Failed;
    }
    if (!m_conn.ExecuteSql(QStringLiteral("delete from bkinfo where 图书编号=?"), {bookNo}))
        return DeleteOutcome::Failed;
    const bool deleted = m_conn.ChangedRows() > 0;
    if (!transaction.Commit())
        return DeleteOutcome::Failed;
    return deleted ? DeleteOutcome::Deleted : DeleteOutcome::Missing;
}

RecordsetPtr CBookStore::search(const QString& text)
{
    if (text.isEmpty())
        return m_conn.GetRecordSet(QStringLiteral("select* from bkinfo ORDER BY 图书编号 ASC"));
    const QString pattern = containsPattern(text);
    return m_conn.GetRecordSet(
        QStringLiteral("select* from bkinfo where 条形码=?1 or 书名 like ?2 escape '\\' or 图书编号=?1 "
                       "or 出版处 like ?2 escape '\\' or 著译者 like ?2 escape '\\' "
                       "or 入库时间 like ?2 escape '\\' ORDER BY 图书编号 ASC"),
        {text, pattern});
}

RecordsetPtr CBookStore::lostBooks(const QString& text)
{
    const QString columns = QStringLiteral("select 图书编号, 书名, 读者编号, 读者姓名, 挂失日期, 单价, 操作员 from bkinfo_diushi ");
    if (text.isEmpty())
        return m_conn.GetRecordSet(columns + QStringLiteral("order by rowid"));
    return m_conn.GetRecordSet(
        columns + QStringLiteral("where 图书编号=?1 or 读者编号=?1 or 书名 like ?2 escape '\\' order by rowid"),
        {text, containsPattern(text)});
}

RecordsetPtr CBookStore::findForEdit(const QString& keyword)
{
    return m_conn.GetRecordSet(
        QStringLiteral("select* from bkinfo where 书名 like ? escape '\\' or 图书编号=? order by rowid"),
        {containsPattern(keyword), keyword});
}

RecordsetPtr CBookStore::findForCancel(const QString& keyword, int limit)
{
    if (keyword.isEmpty())
        return m_conn.GetRecordSet(QStringLiteral("select* from bkinfo order by rowid limit ?"), {limit});
    return m_conn.GetRecordSet(QStringLiteral("select* from bkinfo where 书名 like ?1 escape '\\' or 图书编号 like ?1 escape '\\' "
                                              "or 条形码 like ?1 escape '\\' order by rowid limit ?2"),
                               {containsPattern(keyword), limit});
}
