#include "periodicals/PeriodicalStore.h"

#include "catalogue/StockTables.h"
#include "core/DateText.h"
#include "db/AdoConn.h"
#include "db/LikePattern.h"
#include "db/Statements.h"

namespace {
// The entry date as every write stores it (checkEntry made sure it is a day), so that
// searches, groupings and reports by date compare days. The publication date is the
// librarian's own text, a day, a month or an issue's name, and is kept as typed.
PeriodicalValues withStoredEntryDate(PeriodicalValues values)
{
    const QString entryDate = normalizedDateText(values[kPdEntryDate]);
    if (!entryDate.isNull())
        values[kPdEntryDate] = entryDate;
    return values;
}

QString flagText(const QString& storedFlag)
{
    if (storedFlag == QLatin1String("0"))
        return QStringLiteral("未借");
    if (storedFlag == QLatin1String("-1"))
        return QStringLiteral("借出");
    return storedFlag;
}
}

const QStringList& PeriodicalStore::columnNames()
{
    static const QStringList names{
        QStringLiteral("条形码"), QStringLiteral("期刊编号"), QStringLiteral("中图分类"), QStringLiteral("分类名称"),
        QStringLiteral("复本号"), QStringLiteral("期刊名称"), QStringLiteral("邮发代号"), QStringLiteral("出版社名"),
        QStringLiteral("第几期"), QStringLiteral("总第几期"), QStringLiteral("出版时间"), QStringLiteral("国内刊号"),
        QStringLiteral("期刊单价"), QStringLiteral("存放位置"), QStringLiteral("入库时间")};
    return names;
}

QString PeriodicalStore::checkEntry(const PeriodicalValues& values)
{
    if (values[kPdNumber].isEmpty())
        return QStringLiteral("请输入期刊编号!");
    if (values[kPdTitle].isEmpty())
        return QStringLiteral("请输入期刊名称!");
    if (values[kPdPrice].isEmpty())
        return QStringLiteral("请输入期刊单价!");
    if (!isPriceText(values[kPdPrice]))
        return QStringLiteral("单价里含有非数字!");
    if (values[kPdEntryDate].isEmpty())
        return QStringLiteral("请输入入库时间!");
    if (normalizedDateText(values[kPdEntryDate]).isNull())
        return notADateMessage(QStringLiteral("入库时间"), values[kPdEntryDate]);
    return {};
}

QString PeriodicalStore::listHeadings()
{
    return QStringLiteral("条形码,120;期刊编号,80;中图分类,60;分类名称,80;复本号,80;期刊名称,120;邮发代号,80;出版社名,80;"
                          "第几期,80;总第几期,80;出版时间,80;国内刊号,80;期刊单价,50;存放位置,80;入库时间,80;是否借出,80");
}

QStringList PeriodicalStore::listRow(const CAdoRecordset& rs)
{
    QStringList row;
    for (int field = 1; field <= kPdFieldCount; ++field)
        row << rs.GetCollect(field);
    row << flagText(rs.GetCollect(kPdFieldCount + 1));
    return row;
}

bool PeriodicalStore::exists(const QString& number)
{
    return !openOrThrow(m_conn, QStringLiteral("select 1 from qikaninfo where 期刊编号=?"), {number})->IsEOF();
}

bool PeriodicalStore::insert(PeriodicalValues values)
{
    values = withStoredEntryDate(values);
    QStringList columns;
    QVariantList params;
    for (int field = 0; field < kPdFieldCount; ++field) {
        if (values[field].isEmpty())
            continue;
        columns << columnNames()[field];
        params << values[field];
    }
    return m_conn.ExecuteSql(QStringLiteral("insert into qikaninfo (%1) values (%2)")
                                 .arg(columns.join(QLatin1Char(',')), placeholders(params.size())),
                             params);
}

bool PeriodicalStore::overwrite(PeriodicalValues values)
{
    values = withStoredEntryDate(values);
    QStringList assignments;
    QVariantList params;
    for (int field = 0; field < kPdFieldCount; ++field) {
        if (values[field].isEmpty())
            continue;
        assignments << columnNames()[field] + QStringLiteral("=?");
        params << values[field];
    }
    params << values[kPdNumber];
    return m_conn.ExecuteSql(
               QStringLiteral("update qikaninfo set %1 where 期刊编号=?").arg(assignments.join(QLatin1Char(','))), params)
        && m_conn.ChangedRows() == 1;
}

DeleteOutcome PeriodicalStore::remove(const QString& number)
{
    CTransaction transaction(m_conn);
    try {
        if (StockTables::periodicals().isOut(m_conn, number))
            return DeleteOutcome::OnLoan;
    } catch (const DbError&) {
        return DeleteOutcome::Failed;
    }
    if (!m_conn.ExecuteSql(QStringLiteral("delete from qikaninfo where 期刊编号=?"), {number}))
        return DeleteOutcome::Failed;
    const bool deleted = m_conn.ChangedRows() > 0;
    if (!transaction.Commit())
        return DeleteOutcome::Failed;
    return deleted ? DeleteOutcome::Deleted : DeleteOutcome::Missing;
}

RecordsetPtr PeriodicalStore::search(const QString& text)
{
    if (text.isEmpty())
        return m_conn.GetRecordSet(QStringLiteral("select* from qikaninfo order by rowid"));
    return m_conn.GetRecordSet(
        QStringLiteral("select* from qikaninfo where 条形码=?1 or 期刊名称 like ?2 escape '\\' or 期刊编号=?1 "
                       "or 出版社名 like ?2 escape '\\' or 邮发代号 like ?2 escape '\\' order by rowid"),
        {text, containsPattern(text)});
}

RecordsetPtr PeriodicalStore::findForLending(const QString& key)
{
    return openOrThrow(m_conn,
                       QStringLiteral("select* from qikaninfo where 期刊编号=?1 or 条形码=?1 or 期刊名称 like ?2 escape '\\' "
                                      "or 邮发代号 like ?2 escape '\\' order by rowid"),
                       {key, containsPattern(key)});
}

RecordsetPtr PeriodicalStore::byNumber(const QString& number)
{
    return openOrThrow(m_conn, QStringLiteral("select* from qikaninfo where 期刊编号=?"), {number});
}

RecordsetPtr PeriodicalStore::byTitleOrNumber(const QString& text)
{
    return m_conn.GetRecordSet(
        QStringLiteral("select* from qikaninfo where 期刊名称 like ? escape '\\' or 期刊编号=? order by rowid"),
        {containsPattern(text), text});
}
