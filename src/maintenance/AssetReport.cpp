#include "maintenance/AssetReport.h"

#include "core/DateText.h"
#include "db/AdoConn.h"
#include "db/LikePattern.h"
#include "db/Statements.h"
#include "catalogue/BookStatistics.h"
#include "core/MoneySum.h"
#include "maintenance/TableColumns.h"

#include <limits>
#include <utility>
#include <vector>

namespace {
enum Phase { StockPhase = 1, LostPhase = 2, WeededPhase = 3 };

const QString kAssetClass = QStringLiteral("图书、档案");
// The source fields every phase copies, by ordinal: the number, the type, the title, the
// price and the entry date (the three source tables agree on these positions).
constexpr int kNumber = 2, kType = 4, kTitle = 6, kPrice = 13, kEntryDate = 15;
constexpr int kSourceColumns = 16;
constexpr int kReportColumns = 15;
// A phase copies its rows a slice at a time, so that its bar moves with the rows.
constexpr int kSliceRows = 1000;

const QStringList kTotalledNames = {QStringLiteral("资产数量"), QStringLiteral("资产总价"), QStringLiteral("剔旧"),
                                    QStringLiteral("丢失"),     QStringLiteral("小计"),     QStringLiteral("库存数量"),
                                    QStringLiteral("库存净值")};

QString sumsOf(const QString& table)
{
    QStringList sums;
    for (int i = 0; i < AssetReport::kTotals; ++i)
        sums << (AssetReport::isMoneyTotal(i) ? MoneySum::sqlSum(kTotalledNames[i])
                                              : QStringLiteral("sum(%1)").arg(kTotalledNames[i]));
    return QStringLiteral("select %1 from %2").arg(sums.join(QStringLiteral(", ")), table);
}

QString rangeCondition() { return QStringLiteral(" where substr(取得时间, 1, 10) between ? and ?"); }
QVariantList rangeValues(const DateRange& range) { return {dateText(range.from), dateText(range.to)}; }

QString sumText(int index, const QString& sum)
{
    return AssetReport::isMoneyTotal(index) ? BookStatistics::shownSum(sum) : sum;
}

QStringList columnNames(CAdoConn& conn, const QString& table, int atLeast)
{
    QStringList names;
    for (const TableColumn& column : tableColumns(conn, table))
        names << quotedName(column.name);
    if (names.size() < atLeast)
        throw DbError(QStringLiteral("数据表 %1 的列数不对").arg(table));
    return names;
}
}

AssetReport::Spec AssetReport::Spec::forBooks()
{
    return {QStringLiteral("bkinfo_baobiaoT"),
            QStringLiteral("bkinfo"),
            QStringLiteral("bkinfo_diushi"),
            QStringLiteral("bkinfo_tijiu"),
            {QStringLiteral("导入图书信息失败"), QStringLiteral("导入丢失数据失败！"), QStringLiteral("导入剔旧数据失败！")},
            QStringLiteral("没有图书信息可导出!")};
}

AssetReport::Spec AssetReport::Spec::forPeriodicals()
{
    const QString failed = QStringLiteral("操作失败");
    return {QStringLiteral("qkinfo_baobiaoT"), QStringLiteral("qikaninfo"), QStringLiteral("qkinfo_diushi"),
            QStringLiteral("qkinfo_tijiu"),    {failed, failed, failed},     QStringLiteral("没有期刊信息可导出!")};
}

const QList<int>& AssetReport::totalledColumns()
{
    static const QList<int> columns = {6, 8, 9, 10, 11, 13, 14};
    return columns;
}

const QList<int>& AssetReport::numberColumns()
{
    static const QList<int> columns = {5, 6, 8, 9, 10, 11, 13, 14};
    return columns;
}

AssetReport::AssetReport(CAdoConn& conn, Spec spec) : m_conn(conn), m_spec(std::move(spec)) {}

// The insert of one phase, columns by position on both sides: a NULL stays NULL and a
// number stays a number. The asset class is bound.
QString AssetReport::PhaseStatement(int phase, const QString& source) const
{
    const QStringList report = columnNames(m_conn, m_spec.reportTable, kReportColumns);
    const QStringList from = columnNames(m_conn, source, kSourceColumns);
    std::vector<std::pair<int, QString>> values = {
        {1, from[kNumber]}, {2, from[kTitle]},      {3, QStringLiteral("?")}, {4, from[kType]},
        {5, from[kPrice]},  {6, QStringLiteral("1")}, {7, from[kEntryDate]},  {8, from[kPrice]},
    };
    switch (phase) {
    case StockPhase:
        values.insert(values.end(), {{13, QStringLiteral("1")}, {14, from[kPrice]}});
        break;
    case LostPhase:
        values.insert(values.end(), {{10, QStringLiteral("1")}, {11, from[kPrice]}});
        break;
    default:
        values.insert(values.end(), {{9, QStringLiteral("1")}, {11, from[kPrice]}});
    }
    QStringList targets, expressions;
    for (const auto& [ordinal, expression] : values) {
        targets << report[ordinal];
        expressions << expression;
    }
    return QStringLiteral("insert into %1 (%2) select %3 from %4")
        .arg(m_spec.reportTable, targets.join(QStringLiteral(", ")), expressions.join(QStringLiteral(", ")), source);
}

// Copies the source's rows in table order, a slice of rows at a time: each slice ends at
// the row id that closes it, so no row is skipped or copied twice.
void AssetReport::CopyPhase(int phase, const QString& source, const Progress& progress) const
{
    const QString insert =
        PhaseStatement(phase, source) + QStringLiteral(" where rowid > ? and rowid <= ? order by rowid");
    const int total = openOrThrow(m_conn, QStringLiteral("select count(*) from ") + source)->GetValue(0).toInt();
    std::vector<qint64> sliceEnds;
    RecordsetPtr ends = openOrThrow(
        m_conn,
        QStringLiteral("select rowid from (select rowid, row_number() over (order by rowid) as n from %1) where n % ? = 0")
            .arg(source),
        {kSliceRows});
    for (; !ends->IsEOF(); ends->MoveNext())
        sliceEnds.push_back(ends->GetValue(0).toLongLong());
    sliceEnds.push_back(std::numeric_limits<qint64>::max());
    if (progress)
        progress(phase, 0, total);
    qint64 after = std::numeric_limits<qint64>::min();
    int done = 0;
    for (const qint64 end : sliceEnds) {
        executeOrThrow(m_conn, insert, {kAssetClass, after, end});
        done += int(m_conn.ChangedRows());
        if (progress)
            progress(phase, done, total);
        after = end;
    }
}

std::optional<AssetReport::Failure> AssetReport::Generate(const Progress& progress)
{
    const QString failed = QStringLiteral("操作失败");
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        return Failure{failed, m_conn.LastError()};
    if (!m_conn.ExecuteSql(QStringLiteral("delete from ") + m_spec.reportTable))
        return Failure{failed, m_conn.LastError()};
    const QStringList sources = {m_spec.stockTable, m_spec.lostTable, m_spec.weededTable};
    for (int phase = StockPhase; phase <= WeededPhase; ++phase) {
        try {
            CopyPhase(phase, sources[phase - 1], progress);
        } catch (const DbError& e) {
            return Failure{m_spec.phaseFailures.value(phase - 1), e.text()};
        }
    }
    if (!transaction.Commit())
        return Failure{failed, m_conn.LastError()};
    return std::nullopt;
}

RecordsetPtr AssetReport::Search(const QString& text) const
{
    const QString all = QStringLiteral("select * from ") + m_spec.reportTable;
    const QString order = QStringLiteral(" order by 资产编号");
    if (text.isEmpty())
        return openOrThrow(m_conn, all + order);
    return openOrThrow(m_conn, all + QStringLiteral(" where 资产名称 like ? escape '\\' or 资产编号=?") + order,
                       {containsPattern(text), text});
}

RecordsetPtr AssetReport::Query(const std::optional<DateRange>& range) const
{
    const QString all = QStringLiteral("select * from ") + m_spec.reportTable;
    if (!range)
        return openOrThrow(m_conn, all + QStringLiteral(" order by 资产编号"));
    return openOrThrow(m_conn, all + rangeCondition(), rangeValues(*range));
}

QStringList AssetReport::Totals(const std::optional<DateRange>& range) const
{
    RecordsetPtr rs = range ? openOrThrow(m_conn, sumsOf(m_spec.reportTable) + rangeCondition(), rangeValues(*range))
                            : openOrThrow(m_conn, sumsOf(m_spec.reportTable));
    QStringList totals;
    for (int i = 0; i < kTotals; ++i)
        totals << sumText(i, rs->GetCollect(i));
    return totals;
}

QStringList AssetReport::TotalsOf(const RowBlock& rows)
{
    QStringList totals;
    for (int i = 0; i < kTotals; ++i) {
        const int column = totalledColumns()[i];
        MoneySum sum;
        for (int row = 0; row < rows.rowCount(); ++row)
            if (!rows.isNull(row, column))
                sum.add(rows.value(row, column).toDouble());
        totals << sumText(i, sum.text());
    }
    return totals;
}

QStringList AssetReport::TotalsRow(const RowBlock& rows)
{
    QStringList row(kLastShown - kFirstShown + 1);
    row[0] = QStringLiteral("合计");
    const QStringList totals = TotalsOf(rows);
    for (int i = 0; i < kTotals; ++i)
        row[totalledColumns()[i] - kFirstShown] = totals[i];
    return row;
}
