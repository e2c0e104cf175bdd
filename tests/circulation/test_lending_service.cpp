#include "CirculationFixture.h"
#include "circulation/LendingService.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QTest>
#include <QTimeZone>

#include <map>

class TestLendingService : public QObject {
    Q_OBJECT

    LendingService service() { return LendingService(theApp().m_ado, QStringLiteral("管理员")); }
    ReaderCard reader(const QString& number)
    {
        std::optional<ReaderCard> card = service().readerByNumber(number);
        return card ? *card : ReaderCard();
    }
    BookCopy copy(const QString& number)
    {
        const QList<BookCopy> copies = service().findInStock(number);
        if (!copies.isEmpty())
            return copies.first();
        BookCopy missing;
        missing.bookNumber = number;
        return missing;
    }
    std::map<QString, QStringList> snapshot()
    {
        std::map<QString, QStringList> all;
        for (const QString& table : circulationTables())
            all[table] = tableRows(table);
        return all;
    }

private slots:
    void limits_data();
    void limits();
    void dueDates_data();
    void dueDates();
    void prices_data();
    void prices();
    void bookSearch_data();
    void bookSearch();
    void readerLookupPrefersTheNumber();
    void sameCopyIsNotLentTwice();
    void noLoanForAReaderDeletedMeanwhile();
    void returnWritesTheBorrowersHistory();
    void returnOfACopyNotOnLoanChangesNothing();
    void failedStepLeavesEveryTable_data();
    void failedStepLeavesEveryTable();
    void leadingInteger_data();
    void leadingInteger();
};

void TestLendingService::limits_data()
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
}

void TestLendingService::limits()
{
    QFETCH(QString, limit);
    QFETCH(int, books);
    QFETCH(int, periodicals);
    QFETCH(bool, lends);
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R1", "张三", limit);
    for (int i = 0; i < books; ++i)
        insertLoanRow(QString("OLD%1").arg(i), "R1");
    for (int i = 0; i < periodicals; ++i)
        insertLoanRow(QString("QK%1").arg(i), "R1", "qkjieyueinfo");
    insertBook("B1", "红楼梦");
    // The stored count is wrong on purpose: the limit must use the loans themselves.
    QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=0"));

    const LendingService::Outcome outcome = service().lend(reader("R1"), copy("B1"));
    QCOMPARE(outcome, lends ? LendingService::Outcome::Done : LendingService::Outcome::LimitReached);
    QCOMPARE(cell("select 是否借出 from bkinfo where 图书编号='B1'"), lends ? "1" : "0");
    QCOMPARE(cell("select 未还书数 from readerinfo"), QString::number(lends ? books + periodicals + 1 : 0));
}

void TestLendingService::dueDates_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("lent");
    QTest::addColumn<QString>("due");
    const QTimeZone berlin("Europe/Berlin");
    QTest::newRow("across February") << QDateTime(QDate(2017, 1, 30), QTime(9, 0)) << "30" << "2017-01-30"
                                     << "2017-03-01";
    QTest::newRow("leap year") << QDateTime(QDate(2016, 2, 28), QTime(9, 0)) << "1" << "2016-02-28" << "2016-02-29";
    QTest::newRow("across the year") << QDateTime(QDate(2017, 12, 15), QTime(17, 0)) << "30" << "2017-12-15"
                                     << "2018-01-14";
    QTest::newRow("clocks go forward") << QDateTime(QDate(2017, 3, 25), QTime(23, 30), berlin) << "1"
                                       << "2017-03-25" << "2017-03-26";
    QTest::newRow("clocks go back") << QDateTime(QDate(2017, 10, 29), QTime(0, 30), berlin) << "1" << "2017-10-29"
                                    << "2017-10-30";
    QTest::newRow("no period") << QDateTime(QDate(2017, 4, 11), QTime(9, 30)) << "" << "2017-04-11" << "2017-04-11";
}

void TestLendingService::dueDates()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, days);
    QFETCH(QString, lent);
    QFETCH(QString, due);
    ScriptedSeams seams(now);
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R1", "张三", "5", days);
    insertBook("B1", "红楼梦");

    QCOMPARE(service().lend(reader("R1"), copy("B1")), LendingService::Outcome::Done);
    QCOMPARE(cell("select 借书日期 from jieyueinfo"), lent);
    QCOMPARE(cell("select 应还时间 from jieyueinfo"), due);
    QCOMPARE(cell("select 操作时间 from jieyuelishiinfo"), lent);
}

void TestLendingService::prices_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("stored");
    QTest::newRow("decimals are cut") << "25.80" << "25";
    QTest::newRow("no price") << "" << "0";
    QTest::newRow("whole") << "30" << "30";
}

void TestLendingService::prices()
{
    QFETCH(QString, price);
    QFETCH(QString, stored);
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R1", "张三");
    insertBook("B1", "红楼梦", "978", price);

    QCOMPARE(service().lend(reader("R1"), copy("B1")), LendingService::Outcome::Done);
    QCOMPARE(cell("select 图书价格 from jieyueinfo"), stored);
    QCOMPARE(cell("select typeof(图书价格) from jieyueinfo"), "integer");
}

void TestLendingService::bookSearch_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("exact barcode") << "9787020002207" << QStringList{"B2"};
    QTest::newRow("exact number") << "B3" << QStringList{"B3"};
    QTest::newRow("title fragment") << "楼" << QStringList{"B1", "B3", "B5"};
    QTest::newRow("lent and reserved copies") << "三国" << QStringList{};
    QTest::newRow("a quote is text") << "O'Brien" << QStringList{"B7"};
    QTest::newRow("a percent sign is text") << "100%" << QStringList{"B8"};
    QTest::newRow("part of a barcode") << "97870" << QStringList{};
}

void TestLendingService::bookSearch()
{
    QFETCH(QString, key);
    QFETCH(QStringList, found);
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertBook("B1", "红楼梦");
    insertBook("B2", "水浒传", "9787020002207");
    insertBook("B3", "红楼梦");
    insertBook("B4", "三国演义", "", "20", 1);
    insertBook("B5", "红楼梦");
    insertBook("B6", "三国演义", "", "20", 2);
    insertBook("B7", "O'Brien 诗选");
    insertBook("B8", "100%好书");
    insertBook("B9", "1000个好书");

    QStringList numbers;
    for (const BookCopy& c : service().findInStock(key))
        numbers << c.bookNumber;
    QCOMPARE(numbers, found);
}

void TestLendingService::readerLookupPrefersTheNumber()
{
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("A12", "王A123");
    insertReader("A123", "李四");

    QCOMPARE(service().findReader("A123")->name, "李四");
    QCOMPARE(service().findReader("王")->number, "A12");
    QVERIFY(!service().findReader("赵").has_value());
}

void TestLendingService::sameCopyIsNotLentTwice()
{
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R1", "张三", "5");
    insertReader("R2", "李四", "5");
    insertBook("B1", "红楼梦");
    // Both windows listed the copy while it was in stock.
    const BookCopy listed = copy("B1");
    LendingService first = service();
    LendingService second = service();

    QCOMPARE(first.lend(reader("R1"), listed), LendingService::Outcome::Done);
    QCOMPARE(second.lend(reader("R2"), listed), LendingService::Outcome::NotAvailable);
    QCOMPARE(first.lend(reader("R1"), listed), LendingService::Outcome::NotAvailable);
    QCOMPARE(tableRows("jieyueinfo").size(), 1);
    QCOMPARE(tableRows("jieyuelishiinfo").size(), 1);
    QCOMPARE(cell("select 未还书数 from readerinfo where 编号='R2'"), "");
}

void TestLendingService::noLoanForAReaderDeletedMeanwhile()
{
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R1", "张三");
    insertBook("B1", "红楼梦");
    const ReaderCard shown = reader("R1");
    QVERIFY(theApp().m_ado.ExecuteSql("delete from readerinfo"));

    QCOMPARE(service().lend(shown, copy("B1")), LendingService::Outcome::NoReader);
    QCOMPARE(tableRows("jieyueinfo"), QStringList());
    QCOMPARE(cell("select 是否借出 from bkinfo"), "0");
}

void TestLendingService::returnWritesTheBorrowersHistory()
{
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R1", "张三");
    insertBook("B1", "红楼梦");
    insertBook("B2", "水浒传");
    QCOMPARE(service().lend(reader("R1"), copy("B1")), LendingService::Outcome::Done);
    QCOMPARE(service().lend(reader("R1"), copy("B2")), LendingService::Outcome::Done);
    seams.clock.set(QDateTime(QDate(2017, 4, 20), QTime(8, 0)));

    QCOMPARE(service().borrowerOf("B1"), "R1");
    QCOMPARE(service().giveBack("B1"), LendingService::Outcome::Done);
    QCOMPARE(cell("select 是否借出 from bkinfo where 图书编号='B1'"), "0");
    QCOMPARE(cell("select 未还书数 from readerinfo"), "1");
    QCOMPARE(tableRows("jieyuelishiinfo").last(), "B1|红楼梦|R1|张三|学生|图书归还|2017-04-20|管理员|一班");
    QCOMPARE(service().loansOf("R1").size(), 1);
    QCOMPARE(service().loansOf("R1").first().bookNumber, "B2");
    QCOMPARE(service().borrowerOf("B1"), "");
}

void TestLendingService::returnOfACopyNotOnLoanChangesNothing()
{
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R1", "张三");
    insertBook("B1", "红楼梦", "", "20", 2);
    const auto before = snapshot();
    QCOMPARE(service().giveBack("B1"), LendingService::Outcome::NotOnLoan);
    QVERIFY(snapshot() == before);
}

void TestLendingService::failedStepLeavesEveryTable_data()
{
    QTest::addColumn<bool>("returning");
    QTest::addColumn<QString>("trigger");
    QTest::newRow("lend: history") << false << "before insert on jieyuelishiinfo";
    QTest::newRow("lend: count") << false << "before update on readerinfo";
    QTest::newRow("lend: loan row") << false << "before insert on jieyueinfo";
    QTest::newRow("return: history") << true << "before insert on jieyuelishiinfo";
    QTest::newRow("return: count") << true << "before update on readerinfo";
    QTest::newRow("return: flag") << true << "before update on bkinfo";
}

void TestLendingService::failedStepLeavesEveryTable()
{
    QFETCH(bool, returning);
    QFETCH(QString, trigger);
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R1", "张三");
    insertBook("B1", "红楼梦");
    if (returning)
        QCOMPARE(service().lend(reader("R1"), copy("B1")), LendingService::Outcome::Done);
    QVERIFY(theApp().m_ado.ExecuteSql(
        QString("create temp trigger fail %1 begin select raise(abort, 'injected'); end").arg(trigger)));
    const auto before = snapshot();

    bool failed = false;
    try {
        if (returning)
            service().giveBack("B1");
        else
            service().lend(reader("R1"), copy("B1"));
    } catch (const DbError&) {
        failed = true;
    }
    QVERIFY(failed);
    QVERIFY(snapshot() == before);
    QCOMPARE(theApp().m_ado.TransDepth(), 0);
}

void TestLendingService::leadingInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("digits then letters") << "12本" << 12;
    QTest::newRow("blanks and sign") << "  -3" << -3;
    QTest::newRow("huge") << "99999999999" << INT_MAX;
}

void TestLendingService::leadingInteger()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(::leadingInteger(text), value);
}

QTEST_MAIN(TestLendingService)
#include "test_lending_service.moc"
