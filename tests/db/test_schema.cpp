#include "core/PasswordHash.h"
#include "db/AdoConn.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {
// Columns 1-15 of the stock tables and of every table that copies them by position.
const QString kBook = QStringLiteral(
    "条形码 TEXT|图书编号 TEXT|分类号 TEXT|图书类别 TEXT|复本号 TEXT|%1 TEXT|著译者 TEXT|出版处 TEXT|页数 TEXT|"
    "开本 TEXT|版期 TEXT|版次 TEXT|单价 NUMERIC|书架名称 TEXT|入库时间 TEXT");
const QString kPeriodical = QStringLiteral(
    "条形码 TEXT|期刊编号 TEXT|中图分类 TEXT|分类名称 TEXT|复本号 TEXT|期刊名称 TEXT|邮发代号 TEXT|出版社名 TEXT|"
    "第几期 TEXT|总第几期 TEXT|出版时间 TEXT|国内刊号 TEXT|期刊单价 NUMERIC|存放位置 TEXT|入库时间 TEXT");
const QString kHistory = QStringLiteral(
    "图书编号 TEXT|书名 TEXT|读者编号 TEXT|读者姓名 TEXT|读者类别 TEXT|操作性质 TEXT|操作时间 TEXT|操作员 TEXT");
const QString kReport = QStringLiteral(
    "ID INTEGER|资产编号 TEXT|资产名称 TEXT|资产分类 TEXT|明细分类 TEXT|资产单价 NUMERIC|资产数量 INTEGER|"
    "取得时间 TEXT|资产总价 NUMERIC|剔旧 INTEGER|丢失 INTEGER|小计 NUMERIC|报损日期 TEXT|库存数量 INTEGER|库存净值 NUMERIC");
const QString kLoan = QStringLiteral(
    "读者编号 TEXT|读者姓名 TEXT|读者类别 TEXT|借书日期 TEXT|应还时间 TEXT|图书价格 INTEGER|操作员 TEXT");

const QString kBookNamed = kBook.arg(QStringLiteral("书名"));

struct ExpectedTable {
    const char* name;
    QString columns;  // "name TYPE" in order, separated by "|"
};

QList<ExpectedTable> expectedTables()
{
    return {
        {"bkinfo", "ID INTEGER|" + kBookNamed + "|是否借出 INTEGER"},
        {"bkinfo_diushi", "ID INTEGER|" + kBookNamed + "|读者编号 TEXT|读者姓名 TEXT|挂失日期 TEXT|操作员 TEXT"},
        {"bkinfo_tijiu", "ID INTEGER|" + kBook.arg(QStringLiteral("图书名称")) + "|剔旧日期 TEXT|操作员 TEXT"},
        {"bkmubaninfo", "ID INTEGER|" + kBookNamed + "|是否借出 INTEGER"},
        {"tushuleixing", "ID INTEGER|分类号代码 TEXT|类型名称 TEXT"},
        {"chubansheinfo", "ISBN TEXT|出版社名 TEXT"},
        {"shujiainfo", "存放位置名 TEXT|备注 TEXT"},
        {"readerinfo", "编号 TEXT|姓名 TEXT|性别 TEXT|类别 TEXT|借书期限 INTEGER|部门 TEXT|借出次数 INTEGER|"
                       "未还书数 INTEGER|借阅数量限制 INTEGER|登记日期 TEXT|备用 TEXT|备注 TEXT"},
        {"duzheleibie", "类别名 TEXT|借书期限 INTEGER|借阅数量限制 INTEGER"},
        {"bumeninfo", "部门 TEXT"},
        {"jieyueinfo", "ID INTEGER|图书编号 TEXT|书名 TEXT|条形码 TEXT|" + kLoan + "|部门 TEXT"},
        {"jieyuelishiinfo", kHistory + "|部门 TEXT"},
        {"jieyuelishiinfo1", kHistory + "|部门 TEXT"},
        {"jieyuelishiinfogx", kHistory + "|所在单位 TEXT|部门 TEXT"},
        {"jieyue_yuyue", "图书编号 TEXT|图书名称 TEXT|读者编号 TEXT|读者姓名 TEXT|书架名称 TEXT|预借时间 TEXT|ISBN码 TEXT"},
        {"qikaninfo", "ID INTEGER|" + kPeriodical + "|是否借出 INTEGER"},
        {"qkinfo_diushi", "ID INTEGER|" + kPeriodical + "|读者编号 TEXT|读者姓名 TEXT|挂失日期 TEXT|操作员 TEXT"},
        {"qkinfo_tijiu", "ID INTEGER|" + kPeriodical + "|剔旧日期 TEXT|操作员 TEXT"},
        {"qikanmbinfo", "ID INTEGER|" + kPeriodical + "|是否借出 INTEGER"},
        {"qkjieyueinfo", "ID INTEGER|期刊编号 TEXT|期刊名称 TEXT|条形码 TEXT|" + kLoan},
        {"qkjieyuelishiinfo", "期刊编号 TEXT|期刊名称 TEXT|读者编号 TEXT|读者姓名 TEXT|读者类别 TEXT|操作性质 TEXT|"
                              "操作时间 TEXT|操作员 TEXT"},
        {"diushiqikaninfo", "期刊编号 TEXT|期刊名称 TEXT|读者编号 TEXT|读者姓名 TEXT|挂失日期 TEXT|期刊价格 NUMERIC|"
                            "操作员 TEXT"},
        {"bkinfo_baobiaoT", kReport},
        {"qkinfo_baobiaoT", kReport},
        {"admin", "用户名 TEXT|密码 TEXT"},
        {"tushuguaninfo", "图书馆名 TEXT|负责人 TEXT|地址 TEXT|邮编 TEXT"},
        {"gonggao", "标题 TEXT|内容 TEXT"},
        {"danweiinfo", "单位名称 TEXT"},
    };
}
}

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyTableIsListed();
    void columnsInOrder_data();
    void columnsInOrder();
    void constraints_data();
    void constraints();
    void bookWithoutFlagIsInStock();
    void periodicalFlag_data();
    void periodicalFlag();
    void moveByPositionKeepsValues();
    void reportSumsOverNoRowsAreNull();
    void templateHoldsSeedRows_data();
    void templateHoldsSeedRows();
    void seedOperatorLogsIn();
    void templateIsMarkedAsOurs();

private:
    QStringList columnsOf(const QString& table);
    QTemporaryDir m_dir;
    CAdoConn m_conn;
};

void TestSchema::initTestCase()
{
    const QString path = m_dir.filePath(QStringLiteral("book.db"));
    QVERIFY(copyTemplateDatabase(path));
    QVERIFY(m_conn.Connect(path));
}

QStringList TestSchema::columnsOf(const QString& table)
{
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select name, type from pragma_table_info(?) order by cid"), {table});
    QStringList columns;
    for (; !rs->IsEOF(); rs->MoveNext())
        columns << rs->GetCollect(0) + QLatin1Char(' ') + rs->GetCollect(1);
    return columns;
}

void TestSchema::everyTableIsListed()
{
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral(
        "select name from sqlite_master where type='table' and name not like 'sqlite%' order by name"));
    QStringList actual;
    for (; !rs->IsEOF(); rs->MoveNext())
        actual << rs->GetCollect(0);
    QStringList expected;
    for (const ExpectedTable& t : expectedTables())
        expected << QString::fromUtf8(t.name);
    expected.sort();
    QCOMPARE(expected.size(), 28);
    QCOMPARE(actual, expected);
}

void TestSchema::columnsInOrder_data()
{
    QTest::addColumn<QStringList>("columns");
    for (const ExpectedTable& t : expectedTables())
        QTest::newRow(t.name) << t.columns.split(QLatin1Char('|'));
}

void TestSchema::columnsInOrder()
{
    QFETCH(QStringList, columns);
    QCOMPARE(columnsOf(QString::fromUtf8(QTest::currentDataTag())), columns);
}

void TestSchema::constraints_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("params");
    QTest::addColumn<bool>("accepted");
    const QString loan = QStringLiteral("insert into jieyueinfo (图书编号, 借书日期, 应还时间, 图书价格) values (?, ?, ?, ?)");
    QTest::newRow("loan") << loan << QVariantList{"B1", "2017-04-11", "2017-05-11", 25} << true;
    QTest::newRow("loan with text price") << loan << QVariantList{"B1", "2017-04-11", "2017-05-11", "25"} << true;
    QTest::newRow("loan without price") << loan << QVariantList{"B1", "2017-04-11", "2017-05-11", QVariant()} << true;
    QTest::newRow("loan with empty price") << loan << QVariantList{"B1", "2017-04-11", "2017-05-11", ""} << false;
    QTest::newRow("loan dated 2017-4-1") << loan << QVariantList{"B1", "2017-4-1", "2017-05-11", 25} << false;
    QTest::newRow("loan with empty date") << loan << QVariantList{"B1", "", "2017-05-11", 25} << false;
    QTest::newRow("history dated 2017-4-1")
        << QStringLiteral("insert into jieyuelishiinfo (图书编号, 操作时间) values (?, ?)") << QVariantList{"B1", "2017-4-1"}
        << false;
    const QString reader = QStringLiteral("insert into readerinfo (编号, 借书期限, 登记日期, 备注) values (?, ?, ?, ?)");
    QTest::newRow("empty reader cells") << reader << QVariantList{"R1", "", "", ""} << true;
    QTest::newRow("reader without number") << reader << QVariantList{"", 30, "", ""} << false;
    const QString book = QStringLiteral("insert into bkinfo (图书编号, 是否借出) values (?, ?)");
    QTest::newRow("b0099 beside B0099") << book << QVariantList{"b0099", 0} << false;
    QTest::newRow("B0100") << book << QVariantList{"B0100", 0} << true;
    QTest::newRow("empty book number") << book << QVariantList{"", 0} << false;
    QTest::newRow("book flag 3") << book << QVariantList{"B0101", 3} << false;
    QTest::newRow("book flag NULL") << book << QVariantList{"B0102", QVariant()} << true;
    QTest::newRow("periodical flag 1")
        << QStringLiteral("insert into qikaninfo (期刊编号, 是否借出) values (?, ?)") << QVariantList{"Q1", 1} << false;
    QTest::newRow("second operator of one name")
        << QStringLiteral("insert into admin values (?, ?)") << QVariantList{"超级用户", "x"} << false;
}

void TestSchema::constraints()
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, params);
    QFETCH(bool, accepted);
    CTransaction t(m_conn);
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into bkinfo (图书编号) values ('B0099')")));
    QCOMPARE(m_conn.ExecuteSql(sql, params), accepted);
}

void TestSchema::bookWithoutFlagIsInStock()
{
    CTransaction t(m_conn);
    RecordsetPtr table = m_conn.GetRecordSet(QStringLiteral("select* from bkinfo"));
    table->AddNew();
    table->PutCollect(2, QStringLiteral("B1"));
    table->Update();
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select * from bkinfo where 是否借出=0"));
    QCOMPARE(rs->GetRecordCount(), 1L);
    QCOMPARE(rs->GetCollect(16), QStringLiteral("0"));
}

void TestSchema::periodicalFlag_data()
{
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("NULL") << QVariant() << "0";
    QTest::newRow("false") << QVariant(0) << "0";
    QTest::newRow("true") << QVariant(-1) << "-1";
}

void TestSchema::periodicalFlag()
{
    QFETCH(QVariant, written);
    QFETCH(QString, read);
    CTransaction t(m_conn);
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into qikaninfo (期刊编号, 是否借出) values ('Q1', ?)"), {written}));
    QCOMPARE(m_conn.GetRecordSet(QStringLiteral("select 是否借出 from qikaninfo"))->GetCollect(0), read);
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("update qikaninfo set 是否借出=?"), {written}));
    QCOMPARE(m_conn.GetRecordSet(QStringLiteral("select 是否借出 from qikaninfo"))->GetCollect(0), read);
}

// A book reported lost and found again goes to bkinfo_diushi and back by position.
void TestSchema::moveByPositionKeepsValues()
{
    CTransaction t(m_conn);
    QVERIFY(m_conn.ExecuteSql(
        QStringLiteral("insert into bkinfo (条形码, 图书编号, 书名, 单价, 版次, 入库时间) values (?, ?, ?, ?, ?, ?)"),
        {QVariant(), "B0099", "图书", "25.80", "", "2017-04-11"}));
    const QStringList stock = columnsOf(QStringLiteral("bkinfo")).mid(1, 15);
    const QStringList lost = columnsOf(QStringLiteral("bkinfo_diushi")).mid(1, 15);
    auto names = [](const QStringList& columns) {
        QStringList n;
        for (const QString& c : columns)
            n << c.section(QLatin1Char(' '), 0, 0);
        return n.join(QLatin1Char(','));
    };
    RecordsetPtr before = m_conn.GetRecordSet(QStringLiteral("select * from bkinfo"));
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into bkinfo_diushi (%1) select %2 from bkinfo where rowid=?")
                                  .arg(names(lost), names(stock)),
                              {before->GetValue(0)}));
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from bkinfo")));
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into bkinfo (%1) select %2 from bkinfo_diushi where rowid=?")
                                  .arg(names(stock), names(lost)),
                              {m_conn.LastInsertId()}));
    RecordsetPtr after = m_conn.GetRecordSet(QStringLiteral("select * from bkinfo"));
    for (int i = 1; i <= 15; ++i) {
        QCOMPARE(after->GetValue(i).isNull(), before->GetValue(i).isNull());
        QCOMPARE(after->GetValue(i), before->GetValue(i));
    }
    QCOMPARE(after->GetValue(QStringLiteral("单价")).typeId(), QMetaType::Double);
    QCOMPARE(after->GetCollect(QStringLiteral("单价")), QStringLiteral("25.8"));
    QVERIFY(after->GetValue(1).isNull());
}

void TestSchema::reportSumsOverNoRowsAreNull()
{
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select sum(剔旧), sum(库存净值) from bkinfo_baobiaoT"));
    QVERIFY(rs->GetValue(0).isNull());
    QCOMPARE(rs->GetCollect(1), QString());
}

void TestSchema::templateHoldsSeedRows_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("library") << "select * from tushuguaninfo" << QStringList{"学校图书馆|||"};
    QTest::newRow("reader types") << "select * from duzheleibie order by rowid" << QStringList{"学生|30|2", "教师|60|5"};
    QTest::newRow("book types") << "select count(*), min(类型名称), max(分类号代码) from tushuleixing"
                                << QStringList{"38|A马克思主义、列宁主义、毛泽东思想、邓小平理论|Z"};
    QTest::newRow("shelves") << "select count(*), min(存放位置名), max(存放位置名) from shujiainfo where 备注=''"
                             << QStringList{"8|1号书架|8号书架"};
    QTest::newRow("book template") << "select count(*), max(是否借出) from bkmubaninfo" << QStringList{"1|0"};
    QTest::newRow("periodical template") << "select count(*), max(是否借出) from qikanmbinfo" << QStringList{"1|0"};
    QTest::newRow("empty tables")
        << "select (select count(*) from bkinfo) + (select count(*) from readerinfo) + (select count(*) from "
           "chubansheinfo) + (select count(*) from bumeninfo) + (select count(*) from jieyueinfo)"
        << QStringList{"0"};
}

void TestSchema::templateHoldsSeedRows()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, rows);
    RecordsetPtr rs = m_conn.GetRecordSet(sql);
    QStringList actual;
    for (; !rs->IsEOF(); rs->MoveNext())
        actual << rs->GetRowTexts().join(QLatin1Char('|'));
    QCOMPARE(actual, rows);
}

void TestSchema::seedOperatorLogsIn()
{
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select 密码 from admin where 用户名=?"), {QStringLiteral("超级用户")});
    QCOMPARE(rs->GetRecordCount(), 1L);
    QVERIFY(verifyPassword(QStringLiteral("123456"), rs->GetCollect(0)));
    QVERIFY(!verifyPassword(QStringLiteral("1234567"), rs->GetCollect(0)));
}

void TestSchema::templateIsMarkedAsOurs()
{
    QCOMPARE(m_conn.GetRecordSet(QStringLiteral("PRAGMA application_id"))->GetValue(0).toInt(), CAdoConn::kApplicationId);
    QCOMPARE(m_conn.GetRecordSet(QStringLiteral("PRAGMA user_version"))->GetCollect(0), QStringLiteral("1"));
    QCOMPARE(m_conn.GetRecordSet(QStringLiteral("PRAGMA integrity_check"))->GetCollect(0), QStringLiteral("ok"));
}

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
