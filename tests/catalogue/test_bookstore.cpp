#include "catalogue/BookStore.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {
BookValues sampleBook(const QString& number, const QString& title = QStringLiteral("红楼梦"))
{
    BookValues v(kBookFieldCount);
    v[kIsbn] = QStringLiteral("9787020002207");
    v[kBookNo] = number;
    v[kTitle] = title;
    v[kPrice] = QStringLiteral("59.70");
    v[kEntryDate] = QStringLiteral("2017-04-11");
    return v;
}

QStringList column(const QString& sql, const QVariantList& params = {})
{
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(sql, params);
    QStringList texts;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        texts << rs->GetCollect(0);
    return texts;
}
}

class TestBookStore : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>();
        QVERIFY(folder->isReady());
    }
    void cleanup() { folder.reset(); }

    void checkEntry_data();
    void checkEntry();
    void addCopiesNumbersAndCounts();
    void addCopiesStopsAtDuplicate();
    void addOneCopyKeepsTypedCopyNumber();
    void quotesAreStoredAsText();
    void saveWritesOnlyNonEmpty();
    void saveOfMissingCopyFails();
    void deleteSkipsCopyOnLoan_data();
    void deleteSkipsCopyOnLoan();
    void searchMatches_data();
    void searchMatches();

private:
    std::unique_ptr<TestProgramFolder> folder;
};

void TestBookStore::checkEntry_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("complete") << int(kAuthor) << "" << "";
    QTest::newRow("no isbn") << int(kIsbn) << "" << "请输入ISBN码!";
    QTest::newRow("no number") << int(kBookNo) << "" << "请输入图书编号!";
    QTest::newRow("no title") << int(kTitle) << "" << "请输入书籍名称!";
    QTest::newRow("no price") << int(kPrice) << "" << "请输入图书单价!";
    QTest::newRow("comma price") << int(kPrice) << "12,5" << "单价里含有非数字!";
    QTest::newRow("two points") << int(kPrice) << "8.9.0" << "单价里含有非数字!";
    QTest::newRow("one point") << int(kPrice) << "12.5" << "";
    QTest::newRow("no date") << int(kEntryDate) << "" << "请输入入库时间!";
}

void TestBookStore::checkEntry()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    BookValues v = sampleBook(QStringLiteral("B1"));
    v[field] = value;
    QCOMPARE(CBookStore::checkEntry(v), message);
}

void TestBookStore::addCopiesNumbersAndCounts()
{
    CBookStore store(theApp().m_ado);
    QCOMPARE(store.addCopies(sampleBook(QStringLiteral("A1")), 1, true).added, 1);
    const AddCopiesResult r = store.addCopies(sampleBook(QStringLiteral(" B0099")), 3, true);
    QCOMPARE(r.added, 3);
    QVERIFY(r.duplicateNo.isEmpty());
    QCOMPARE(r.nextBookNo, QStringLiteral("B0102"));
    QCOMPARE(column(QStringLiteral("select 图书编号 from bkinfo where 图书编号 like 'B%' order by 图书编号")),
             QStringList({"B0099", "B0100", "B0101"}));
    QCOMPARE(column(QStringLiteral("select 复本号 from bkinfo where 图书编号 like 'B%' order by 图书编号")),
             QStringList({"2", "3", "4"}));
    QCOMPARE(copyNumberText(theApp().m_ado, CopyTable::Books, QStringLiteral("红楼梦")), QStringLiteral("5"));
    QCOMPARE(column(QStringLiteral("select 是否借出 from bkinfo where 图书编号='B0100'")), QStringList({"0"}));
}

void TestBookStore::addCopiesStopsAtDuplicate()
{
    CBookStore store(theApp().m_ado);
    QCOMPARE(store.addCopies(sampleBook(QStringLiteral("b0100"), QStringLiteral("其他")), 1, false).added, 1);
    const AddCopiesResult r = store.addCopies(sampleBook(QStringLiteral("B0099")), 3, true);
    QCOMPARE(r.added, 1);
    QCOMPARE(r.duplicateNo, QStringLiteral("B0100"));
    QCOMPARE(column(QStringLiteral("select 图书编号 from bkinfo where 书名='红楼梦'")), QStringList({"B0099"}));
}

void TestBookStore::addOneCopyKeepsTypedCopyNumber()
{
    CBookStore store(theApp().m_ado);
    BookValues v = sampleBook(QStringLiteral("C1"));
    v[kCopyNo] = QStringLiteral("7");
    QCOMPARE(store.addCopies(v, 1, false).nextBookNo, QStringLiteral("C2"));
    QCOMPARE(store.addCopies(sampleBook(QStringLiteral("C2")), 1, false).added, 1);
    QCOMPARE(column(QStringLiteral("select 复本号 from bkinfo order by 图书编号")), QStringList({"7", ""}));
    QCOMPARE(store.addCopies(sampleBook(QStringLiteral("C3")), 0, false).added, 0);
}

void TestBookStore::quotesAreStoredAsText()
{
    CBookStore store(theApp().m_ado);
    const QString title = QStringLiteral("O'Reilly's \"书\"; drop table bkinfo;--");
    QCOMPARE(store.addCopies(sampleBook(QStringLiteral("Q'1"), title), 2, true).added, 2);
    QCOMPARE(column(QStringLiteral("select 复本号 from bkinfo where 书名=?"), {title}), QStringList({"1", "2"}));
    QCOMPARE(store.search(title)->GetRecordCount(), 2L);
    QCOMPARE(store.search(QStringLiteral("Q'1"))->GetRecordCount(), 1L);
    QCOMPARE(store.remove(QStringLiteral("Q'1")), DeleteOutcome::Deleted);
    QCOMPARE(column(QStringLiteral("select 图书编号 from bkinfo")), QStringList({"Q'2"}));
}

void TestBookStore::saveWritesOnlyNonEmpty()
{
    CBookStore store(theApp().m_ado);
    BookValues v = sampleBook(QStringLiteral("S1"));
    v[kAuthor] = QStringLiteral("曹雪芹");
    store.addCopies(v, 1, false);
    BookValues edit(kBookFieldCount);
    edit[kBookNo] = QStringLiteral("S1");
    edit[kPrice] = QStringLiteral("12.80");
    QVERIFY(store.save(QStringLiteral("S1"), edit));
    QCOMPARE(column(QStringLiteral("select 著译者 || '|' || 单价 from bkinfo")), QStringList({"曹雪芹|12.8"}));
}

void TestBookStore::saveOfMissingCopyFails()
{
    CBookStore store(theApp().m_ado);
    store.addCopies(sampleBook(QStringLiteral("S1")), 2, false);
    QVERIFY(!store.save(QStringLiteral("S9"), sampleBook(QStringLiteral("S9"))));
    QVERIFY(!store.save(QStringLiteral("S1"), sampleBook(QStringLiteral("s2"))));
}

void TestBookStore::deleteSkipsCopyOnLoan_data()
{
    QTest::addColumn<int>("lentFlag");
    QTest::addColumn<bool>("loanRow");
    QTest::addColumn<int>("outcome");
    QTest::newRow("in stock") << 0 << false << int(DeleteOutcome::Deleted);
    QTest::newRow("lent") << 1 << true << int(DeleteOutcome::OnLoan);
    QTest::newRow("reserved") << 2 << false << int(DeleteOutcome::OnLoan);
    QTest::newRow("loan row only") << 0 << true << int(DeleteOutcome::OnLoan);
}

void TestBookStore::deleteSkipsCopyOnLoan()
{
    QFETCH(int, lentFlag);
    QFETCH(bool, loanRow);
    QFETCH(int, outcome);
    CBookStore store(theApp().m_ado);
    store.addCopies(sampleBook(QStringLiteral("L1")), 1, false);
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("update bkinfo set 是否借出=?"), {lentFlag}));
    if (loanRow)
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into jieyueinfo (图书编号, 借书日期) values ('l1', '2017-04-01')")));
    QCOMPARE(int(store.remove(QStringLiteral("L1"))), outcome);
    QCOMPARE(column(QStringLiteral("select count(*) from bkinfo")).first() == "0", outcome == int(DeleteOutcome::Deleted));
}

void TestBookStore::searchMatches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("all") << "" << QStringList({"M1", "M2", "M3"});
    QTest::newRow("isbn exact") << "9787020002207" << QStringList({"M1", "M2"});
    QTest::newRow("isbn part") << "97870200" << QStringList();
    QTest::newRow("title part") << "楼" << QStringList({"M1", "M2"});
    QTest::newRow("number exact") << "m3" << QStringList({"M3"});
    QTest::newRow("date part") << "2017-04" << QStringList({"M1", "M2", "M3"});
}

void TestBookStore::searchMatches()
{
    QFETCH(QString, text);
    QFETCH(QStringList, numbers);
    CBookStore store(theApp().m_ado);
    store.addCopies(sampleBook(QStringLiteral("M2")), 1, false);
    store.addCopies(sampleBook(QStringLiteral("M1")), 1, false);
    BookValues other = sampleBook(QStringLiteral("M3"), QStringLiteral("三国演义"));
    other[kIsbn] = QStringLiteral("9787020008728");
    store.addCopies(other, 1, false);
    RecordsetPtr rs = store.search(text);
    QStringList found;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        found << rs->GetCollect(QStringLiteral("图书编号"));
    QCOMPARE(found, numbers);
}

QTEST_MAIN(TestBookStore)
#include "test_bookstore.moc"
