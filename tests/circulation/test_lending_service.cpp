#include "CirculationFixture.h"
#include "circulation/LendingService.h"
#include "circulation/ReaderRegister.h"
#include "db/AppState.h"

#include <QTest>
#include <QTimeZone>

#include <memory>

using Outcome = LendingService::Outcome;

class TestLendingService : public QObject {
    Q_OBJECT

    LendingService service() { return LendingService(theApp().m_ado, QStringLiteral("管理员")); }
    ReaderCard reader(const QString& number) { return service().readerByNumber(number).value_or(ReaderCard()); }
    BookCopy copy(const QString& number) { return service().findInStock(number).value(0); }

    std::unique_ptr<Workplace> m_work;

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    void limits_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("books");
        QTest::addColumn<int>("periodicals");
        QTest::addColumn<bool>("lends");
        QTest::newRow("empty limit") << "" << 0 << 0 << false;
        QTest::newRow("limit 0") << "0" << 0 << 0 << false;
        QTest::newRow("at the limit") << "2" << 2 << 0 << false;
        QTest::newRow("at the limit with a periodical") << "2" << 1 << 1 << false;
        QTest::newRow("below the limit") << "2" << 1 << 0 << true;
        QTest::newRow("limit past int") << "99999999999" << 1 << 0 << true;
    }

    void limits()
    {
        QFETCH(QString, limit);
        QFETCH(int, books);
        QFETCH(int, periodicals);
        QFETCH(bool, lends);
        insertReader("R1", "张三", limit);
        for (int i = 0; i < books; ++i)
            insertLoanRow(QString("OLD%1").arg(i), "R1");
        for (int i = 0; i < periodicals; ++i)
            insertLoanRow(QString("QK%1").arg(i), "R1", "qkjieyueinfo");
        insertBook("B1", "红楼梦");
        // The stored count is wrong on purpose: the limit must use the loans themselves.
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=0"));

        QCOMPARE(service().lend(reader("R1"), copy("B1")), lends ? Outcome::Done : Outcome::LimitReached);
        QCOMPARE(cell("select 是否借出 from bkinfo where 图书编号='B1'"), lends ? "1" : "0");
        QCOMPARE(cell("select 未还书数 from readerinfo"), QString::number(lends ? books + periodicals + 1 : 0));
    }

    void loanRow_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("stored");
        const QTimeZone berlin("Europe/Berlin");
        QTest::newRow("across February, price cut")
            << QDateTime(QDate(2017, 1, 30), QTime(9, 0)) << "30" << "2017-03-01" << "25.80" << "25";
        QTest::newRow("across the year, no price")
            << QDateTime(QDate(2017, 12, 15), QTime(17, 0)) << "30" << "2018-01-14" << "" << "0";
        QTest::newRow("clocks go forward")
            << QDateTime(QDate(2017, 3, 25), QTime(23, 30), berlin) << "1" << "2017-03-26" << "30" << "30";
        QTest::newRow("clocks go back")
            << QDateTime(QDate(2017, 10, 29), QTime(0, 30), berlin) << "1" << "2017-10-30" << "30" << "30";
        QTest::newRow("no period") << QDateTime(QDate(2017, 4, 11), QTime(9, 30)) << "" << "2017-04-11" << "30" << "30";
    }

    void loanRow()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, days);
        QFETCH(QString, due);
        QFETCH(QString, price);
        QFETCH(QString, stored);
        m_work->seams.clock.set(now);
        insertReader("R1", "张三", "5", days);
        insertBook("B1", "红楼梦", "978", price);

        QCOMPARE(service().lend(reader("R1"), copy("B1")), Outcome::Done);
        QCOMPARE(cell("select 借书日期 || '|' || 应还时间 || '|' || 图书价格 || '|' || typeof(图书价格) from jieyueinfo"),
                 QString("%1|%2|%3|integer").arg(now.date().toString("yyyy-MM-dd"), due, stored));
        QCOMPARE(cell("select 操作时间 from jieyuelishiinfo"), now.date().toString("yyyy-MM-dd"));
    }

    void sameCopyIsNotLentTwice()
    {
        insertReader("R1", "张三", "5");
        insertReader("R2", "李四", "5");
        insertBook("B1", "红楼梦");
        // Both windows listed the copy while it was in stock.
        const BookCopy listed = copy("B1");
        LendingService first = service();
        LendingService second = service();

        QCOMPARE(first.lend(reader("R1"), listed), Outcome::Done);
        QCOMPARE(second.lend(reader("R2"), listed), Outcome::NotAvailable);
        QCOMPARE(first.lend(reader("R1"), listed), Outcome::NotAvailable);
        QCOMPARE(tableRows("jieyueinfo").size(), 1);
        QCOMPARE(tableRows("jieyuelishiinfo").size(), 1);
        QCOMPARE(cell("select 未还书数 from readerinfo where 编号='R2'"), "");
    }

    void readerLookupPrefersTheNumber()
    {
        insertReader("A12", "王A123");
        insertReader("A123", "李四");

        QCOMPARE(service().findReader("A123")->name, "李四");
        QCOMPARE(service().findReader("王")->number, "A12");
        QVERIFY(!service().findReader("赵").has_value());
    }

    void saveKeepsTheLendingCounts()
    {
        insertReader("R'1", "张三");
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=1"));

        ReaderRegister readers(theApp().m_ado);
        QVERIFY(readers.save({"R'1", "张三丰", "男", "教师", "60", "二班", "5", "2017-04-11", "备注'"}));
        QCOMPARE(tableRows("readerinfo"), QStringList{"R'1|张三丰|男|教师|60|二班|7|1|5|2017-04-11||备注'"});
        QVERIFY(!readers.save({"R2"}));
    }
};

QTEST_MAIN(TestLendingService)
#include "test_lending_service.moc"
