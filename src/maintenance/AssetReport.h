#pragma once

#include "db/AdoRecordset.h"

#include <QDate>
#include <QStringList>

#include <functional>
#include <optional>

class CAdoConn;
class RowBlock;

// An inclusive range of acquisition dates.
struct DateRange {
    QDate from;
    QDate to;
};

// The asset report of the book or the periodical stock: one row per copy in stock, lost or
// weeded out, rebuilt on demand into its report table, searched, filtered by acquisition
// date and summed. Database failures throw DbError.
class AssetReport {
public:
    // What sets the book and the periodical report apart.
    struct Spec {
        QString reportTable;
        QString stockTable;
        QString lostTable;
        QString weededTable;
        QStringList phaseFailures;  // what the user is told when the stock, lost or weeded phase fails
        QString nothingToExport;

        static Spec forBooks();
        static Spec forPeriodicals();
    };

    // A generation that failed: its phase's text and the database's reason.
    struct Failure {
        QString text;
        QString reason;
    };

    // The report table's columns the list shows and the export writes: 资产编号 to 库存净值.
    static constexpr int kFirstShown = 1;
    static constexpr int kLastShown = 14;
    // Seven sums in this order: 总量, 总价, 剔旧, 丢失, 小计, 库存, 净值. Money is added up in
    // ten-thousandths (MoneySum) and shows at most two decimals, the further ones cut off,
    // not rounded.
    static constexpr int kTotals = 7;
    static const QList<int>& totalledColumns();
    static bool isMoneyTotal(int index) { return index == 1 || index == 4 || index == 6; }
    // The report columns whose values are numbers (written as numbers by an export).
    static const QList<int>& numberColumns();

    // Told while a phase copies its rows: the phase (1 stock, 2 lost, 3 weeded), the rows
    // copied so far and the rows the phase copies in all; first with none done.
    using Progress = std::function<void(int phase, int done, int total)>;

    AssetReport(CAdoConn& conn, Spec spec);

    const Spec& spec() const { return m_spec; }

    // Empties the report table and fills it from the stock, lost and weeded tables, all in
    // one transaction: when a phase fails nothing changes and the old report stays.
    std::optional<Failure> Generate(const Progress& progress = {});

    // Rows whose 资产名称 contains the text or whose 资产编号 is the text, by 资产编号; every
    // row for an empty text.
    RecordsetPtr Search(const QString& text) const;
    // Rows acquired within the range (both ends included), or every row by 资产编号.
    RecordsetPtr Query(const std::optional<DateRange>& range) const;
    // The seven sums of the rows the range selects (every row without a range); empty texts
    // when no row is there.
    QStringList Totals(const std::optional<DateRange>& range) const;

    // The seven sums of rows already read (whole rows of the report table).
    static QStringList TotalsOf(const RowBlock& rows);
    // The row an export writes under those rows, one text a column shown: "合计", then each
    // sum under its column.
    static QStringList TotalsRow(const RowBlock& rows);

private:
    QString PhaseStatement(int phase, const QString& source) const;
    void CopyPhase(int phase, const QString& source, const Progress& progress) const;

    CAdoConn& m_conn;
    Spec m_spec;
};
