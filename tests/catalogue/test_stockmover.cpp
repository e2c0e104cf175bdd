#include "StockFixture.h"

#include "catalogue/StockLists.h"
#include "catalogue/StockMover.h"
#include "db/AppState.h"

#include <QtTest>

#include <memory>

using Outcome = StockMover::Outcome;

namespace {
StockMover mover() { return StockMover(theApp().m_ado, StockTables::books(), QStringLiteral("管理员")); }

qint64 idOf(const QString& table, const QString& number)
{
    return cell(QStringLiteral("select ID from %1 where 图书编号=? order by ID").arg(table), {number}).toLongLong();
}

QStringList numbers(const RecordsetPtr& rs)
{
    QStringList found;
    for (; !rs->IsEOF(); rs->MoveNext())
        found << rs->GetCollect(2);
    return found;
}

void lossRow(const QString& number, const QString& date, const QString& title = QStringLiteral("红楼梦"))
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into bkinfo_diushi (图书编号, 书名, 读者编号, 挂失日期) values (?, ?, '9999', ?)"),
        {number, title, date}));
}
}

// The row mover and the lists of the loss and weed-out windows, without windows.
class TestStockMover : public QObject {
    Q_OBJECT

    std::unique_ptr<StockWorkplace> m_work;

private slots:
    void init()
    {
        m_work = std::make_unique<StockWorkplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    void roundTripKeepsEveryColumn_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("ownColumns");
        QTest::newRow("lost by the library") << 0 << "bkinfo_diushi" << "9999|system|2017-04-11|管理员";
        QTest::newRow("weeded out") << 1 << "bkinfo_tijiu" << "2017-04-11|管理员";
        QTest::newRow("lost by a reader") << 2 << "bkinfo_diushi" << "R'1|张'三|2017-04-11|管理员";
    }

    void roundTripKeepsEveryColumn()
    {
        QFETCH(int, way);
        QFETCH(QString, table);
        QFETCH(QString, ownColumns);
        stockFullBook("B'1");
        const QString before = copiedColumns("bkinfo", "B'1");
        QVERIFY(before.contains("25.8|") && before.contains("NULL"));

        StockMover m = mover();
        const Outcome out = way == 0 ? m.reportLost("B'1")
                          : way == 1 ? m.weedOut("B'1")
                                     : m.moveToLossForReader("B'1", "R'1", "张'三");
        QCOMPARE(out, Outcome::Done);
        QCOMPARE(count("select count(*) from bkinfo"), 0);
        QCOMPARE(copiedColumns(table, "B'1"), before);
        const int own = ownColumns.count('|') + 1;
        RecordsetPtr row = theApp().m_ado.GetRecordSet(QString("select * from %1").arg(table));
        QCOMPARE(row->GetRowTexts().mid(16, own).join('|'), ownColumns);

        const OutKind kind = way == 1 ? OutKind::WeedOut : OutKind::Loss;
        QCOMPARE(m.restore(kind, idOf(table, "B'1")), Outcome::Done);
        QCOMPARE(copiedColumns("bkinfo", "B'1"), before);
        QCOMPARE(cell("select quote(是否借出) from bkinfo"), "0");
        QCOMPARE(count(QString("select count(*) from %1").arg(table)), 0);
    }

    void restoreRefusedWhenNumberInStock()
    {
        stockBook("B1");
        QCOMPARE(mover().reportLost("B1"), Outcome::Done);
        stockBook("B1", "新红楼梦");
        const QStringList before = stockSnapshot();

        QCOMPARE(mover().restore(OutKind::Loss, idOf("bkinfo_diushi", "B1")), Outcome::AlreadyInStock);
        QCOMPARE(stockSnapshot(), before);
        QCOMPARE(mover().restore(OutKind::Loss, 999), Outcome::NoSuchRow);
        QCOMPARE(mover().reportLost("B2"), Outcome::NotInStock);
    }

    // The library never lets a copy go that a reader has or has reserved; the copy stays.
    void copyOutIsRefused_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("out");
        for (const auto& [way, name] : {std::pair{0, "lost"}, {1, "weeded out"}}) {
            QTest::addRow("%s: flagged lent", name) << way << 0;
            QTest::addRow("%s: flagged reserved", name) << way << 1;
            QTest::addRow("%s: a loan row", name) << way << 2;
            QTest::addRow("%s: a reservation row", name) << way << 3;
        }
    }
    void copyOutIsRefused()
    {
        QFETCH(int, way);
        QFETCH(int, out);
        stockBook("B1", "红楼梦", out == 0 ? 1 : out == 1 ? 2 : 0);
        if (out == 2)
            lendRow("B1");
        if (out == 3)
            reserveRow("B1");
        const QStringList before = stockSnapshot();
        StockMover m = mover();
        QCOMPARE(way == 0 ? m.reportLost("B1") : m.weedOut("B1"), Outcome::OnLoan);
        QCOMPARE(stockSnapshot(), before);
    }

    // A copy found again while another reader still reserves it stays his: it comes back
    // reserved, not free to lend.
    void restoreKeepsAReservation_data()
    {
        QTest::addColumn<bool>("weeded");
        QTest::addColumn<QString>("reserved");
        QTest::addColumn<QString>("flag");
        QTest::newRow("lost by its reader, reserved by another") << false << "B1" << "2";
        QTest::newRow("lost by its reader, another copy reserved") << false << "B2" << "0";
        QTest::newRow("weeded out, reserved") << true << "B1" << "2";
    }
    void restoreKeepsAReservation()
    {
        QFETCH(bool, weeded);
        QFETCH(QString, reserved);
        QFETCH(QString, flag);
        stockBook("B1");
        stockBook("B2");
        StockMover m = mover();
        QCOMPARE(weeded ? m.weedOut("B1") : m.moveToLossForReader("B1", "R1", "张三"), Outcome::Done);
        reserveRow(reserved, "R2");
        const QString table = weeded ? "bkinfo_tijiu" : "bkinfo_diushi";
        QCOMPARE(m.restore(weeded ? OutKind::WeedOut : OutKind::Loss, idOf(table, "B1")), Outcome::Done);
        QCOMPARE(cell("select quote(是否借出) from bkinfo where 图书编号='B1'"), flag);
        QCOMPARE(cell("select quote(是否借出) from bkinfo where 图书编号='B2'"), "0");
        QCOMPARE(count("select count(*) from jieyue_yuyue"), 1);
    }

    void restoreMovesOnlyTheRowChosen()
    {
        lossRow("B1", "2017-04-01", "第一本");
        lossRow("B1", "2017-04-02", "第二本");
        QCOMPARE(mover().restore(OutKind::Loss, idOf("bkinfo_diushi", "B1") + 1), Outcome::Done);
        QCOMPARE(cell("select 书名 from bkinfo where 图书编号='B1'"), "第二本");
        QCOMPARE(cell("select group_concat(书名) from bkinfo_diushi"), "第一本");
    }

    void lossDateRange_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("one day, a stored time included")
            << QDate(2017, 4, 11) << QDate(2017, 4, 11) << QStringList{"D2", "D3"};
        QTest::newRow("both ends count") << QDate(2017, 4, 10) << QDate(2017, 4, 12) << QStringList{"D1", "D2", "D3", "D4"};
        QTest::newRow("reversed bounds") << QDate(2017, 4, 12) << QDate(2017, 4, 10) << QStringList();
        QTest::newRow("across a month end") << QDate(2017, 3, 31) << QDate(2017, 4, 10) << QStringList{"D0", "D1"};
    }

    void lossDateRange()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(QStringList, found);
        lossRow("D0", "2017-03-31");
        lossRow("D1", "2017-04-10");
        lossRow("D2", "2017-04-11");
        lossRow("D3", "2017-04-11 18:30:00");
        lossRow("D4", "2017-04-12");
        lossRow("D5", "2017-04-13");
        StockLists lists(theApp().m_ado, StockTables::books());
        QCOMPARE(numbers(lists.outByDates(OutKind::Loss, first, last)), found);
    }

    void textQueries_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("stock: number exactly") << 0 << "B1" << QStringList{"B1"};
        QTest::newRow("stock: part of a title") << 0 << "楼" << QStringList{"B1", "B10"};
        QTest::newRow("stock: a quote is text") << 0 << "O'B" << QStringList{"B3"};
        QTest::newRow("stock: a percent sign is text") << 0 << "100%" << QStringList{"B4"};
        QTest::newRow("stock: an underscore is text") << 0 << "红_梦" << QStringList{"B6"};
        QTest::newRow("stock: empty gives all") << 0 << "" << QStringList{"B1", "B10", "B3", "B4", "B5", "B6"};
        QTest::newRow("loss: by title") << 1 << "楼" << QStringList{"L1"};
        QTest::newRow("loss: a percent sign is text") << 1 << "100%" << QStringList{"L3"};
        QTest::newRow("loss: an underscore is text") << 1 << "红_梦" << QStringList{"L2"};
        QTest::newRow("weed-out: by its own title column") << 2 << "水浒" << QStringList{"W1"};
        QTest::newRow("weed-out: a percent sign is text") << 2 << "100%" << QStringList{"W3"};
        QTest::newRow("weed-out: an underscore is text") << 2 << "水_传" << QStringList{"W2"};
        QTest::newRow("weed-out: number exactly, not a part") << 2 << "W" << QStringList();
    }

    void textQueries()
    {
        QFETCH(int, list);
        QFETCH(QString, key);
        QFETCH(QStringList, found);
        stockBook("B1", "红楼梦");
        stockBook("B10", "红楼梦新编");
        stockBook("B3", "O'Brien 诗选");
        stockBook("B4", "100%好书");
        // Titles that the key's % or _ would match as a wildcard.
        stockBook("B5", "100本好书");
        stockBook("B6", "红_梦评");
        lossRow("L1", "2017-04-01", "红楼梦");
        lossRow("L2", "2017-04-01", "红_梦评");
        lossRow("L3", "2017-04-01", "100%好书");
        lossRow("L4", "2017-04-01", "100本好书");
        for (const auto& [number, title] : {std::pair{"W1", "水浒传"}, {"W2", "水_传"}, {"W3", "100%好书"}, {"W4", "100本好书"}})
            QVERIFY(theApp().m_ado.ExecuteSql("insert into bkinfo_tijiu (图书编号, 图书名称) values (?, ?)",
                                              {QString(number), QString(title)}));
        StockLists lists(theApp().m_ado, StockTables::books());
        const RecordsetPtr rs = list == 0 ? lists.inStock(key)
                              : lists.outByText(list == 1 ? OutKind::Loss : OutKind::WeedOut, key);
        QCOMPARE(numbers(rs), found);
    }
};

QTEST_MAIN(TestStockMover)
#include "test_stockmover.moc"
