#include "CirculationFixture.h"
#include "circulation/ReaderRegister.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QTest>

class TestReaderRegister : public QObject {
    Q_OBJECT

private slots:
    void removalUsesTheLoansThemselves_data();
    void removalUsesTheLoansThemselves();
    void saveKeepsTheLendingCounts();
    void searchMatchesNumberExactlyAndTheRestAnywhere_data();
    void searchMatchesNumberExactlyAndTheRestAnywhere();
};

void TestReaderRegister::removalUsesTheLoansThemselves_data()
{
    QTest::addColumn<QString>("loanTable");
    QTest::addColumn<QString>("storedCount");
    QTest::addColumn<bool>("removed");
    QTest::newRow("a book out, count says 0") << "jieyueinfo" << "0" << false;
    QTest::newRow("a periodical out") << "qkjieyueinfo" << "" << false;
    QTest::newRow("nothing out, count says 2") << "" << "2" << true;
}

void TestReaderRegister::removalUsesTheLoansThemselves()
{
    QFETCH(QString, loanTable);
    QFETCH(QString, storedCount);
    QFETCH(bool, removed);
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R1", "张三");
    QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=?", {storedCount}));
    if (!loanTable.isEmpty())
        insertLoanRow("X1", "R1", loanTable);

    ReaderRegister readers(theApp().m_ado);
    QCOMPARE(readers.remove("R1"),
             removed ? ReaderRegister::Removal::Removed : ReaderRegister::Removal::HasLoans);
    QCOMPARE(readers.exists("R1"), !removed);
    QCOMPARE(readers.remove("nobody"), ReaderRegister::Removal::Missing);
}

void TestReaderRegister::saveKeepsTheLendingCounts()
{
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("R'1", "张三");
    QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=1"));

    ReaderRegister readers(theApp().m_ado);
    QVERIFY(readers.save({"R'1", "张三丰", "男", "教师", "60", "二班", "5", "2017-04-11", "备注'"}));
    QCOMPARE(tableRows("readerinfo"),
             QStringList{"R'1|张三丰|男|教师|60|二班|7|1|5|2017-04-11||备注'"});
    ReaderForm unknown;
    unknown.number = "R2";
    QVERIFY(!readers.save(unknown));
}

void TestReaderRegister::searchMatchesNumberExactlyAndTheRestAnywhere_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("all") << "" << QStringList{"A1", "A10", "B2"};
    QTest::newRow("number exactly") << "A1" << QStringList{"A1"};
    QTest::newRow("name anywhere") << "小" << QStringList{"A10", "B2"};
    QTest::newRow("department") << "一班" << QStringList{"A1", "A10", "B2"};
    QTest::newRow("underscore is text") << "_" << QStringList{};
}

void TestReaderRegister::searchMatchesNumberExactlyAndTheRestAnywhere()
{
    QFETCH(QString, text);
    QFETCH(QStringList, numbers);
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertReader("B2", "王小二");
    insertReader("A10", "李小龙");
    insertReader("A1", "张三");

    RecordsetPtr rs = ReaderRegister(theApp().m_ado).search(text);
    QStringList found;
    for (; !rs->IsEOF(); rs->MoveNext())
        found << rs->GetCollect(0);
    QCOMPARE(found, numbers);
}

QTEST_MAIN(TestReaderRegister)
#include "test_reader_register.moc"
