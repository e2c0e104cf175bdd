#include "db/AdoConn.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {
// Columns 1-15 of the stock tables and of every table that copies them by position.
const QString kBook = "条形码 TEXT|图书编号 TEXT|分类号 TEXT|图书类别 TEXT|复本号 TEXT|%1 TEXT|著译者 TEXT|出版处 TEXT|"
                      "页数 TEXT|开本 TEXT|版期 TEXT|版次 TEXT|单价 NUMERIC|书架名称 TEXT|入库时间 TEXT";
const QString kPeriodical = "条形码 TEXT|期刊编号 TEXT|中图分类 TEXT|分类名称 TEXT|复本号 TEXT|期刊名称 TEXT|邮发代号 TEXT|"
                            "出版社名 TEXT|第几期 TEXT|总第几期 TEXT|出版时间 TEXT|国内刊号 TEXT|期刊单价 NUMERIC|存放位置 TEXT|入库时间 TEXT";
const QString kHistory = "图书编号 TEXT|书名 TEXT|读者编号 TEXT|读者姓名 TEXT|读者类别 TEXT|操作性质 TEXT|操作时间 TEXT|操作员 TEXT";
const QString kReport = "ID INTEGER|资产编号 TEXT|资产名称 TEXT|资产分类 TEXT|明细分类 TEXT|资产单价 NUMERIC|资产数量 INTEGER|"
                        "取得时间 TEXT|资产总价 NUMERIC|剔旧 INTEGER|丢失 INTEGER|小计 NUMERIC|报损日期 TEXT|库存数量 INTEGER|库存净值 NUMERIC";
const QString kLoan = "读者编号 TEXT|读者姓名 TEXT|读者类别 TEXT|借书日期 TEXT|应还时间 TEXT|图书价格 INTEGER|操作员 TEXT";
const QString kBookNamed = kBook.arg(QStringLiteral("书名"));
const QString kLost = "|读者编号 TEXT|读者姓名 TEXT|挂失日期 TEXT|操作员 TEXT";

// Every table with its columns as "name TYPE" in order, separated by "|".
const QList<std::pair<QString, QString>> kTables{
    {"bkinfo", "ID INTEGER|" + kBookNamed + "|是否借出 INTEGER"},
    {"bkinfo_diushi", "ID INTEGER|" + kBookNamed + kLost},
    {"bkinfo_tijiu", "ID INTEGER|" + kBook.arg(QStringLiteral("图书名称")) + "|剔旧日期 TEXT|操作员 TEXT"},
    {"bkmubaninfo", "ID INTEGER|" + kBookNamed + "|是否借出 INTEGER"},
    {"tushuleixing", "ID INTEGER|分类号代码 TEXT|类型名称 TEXT"},
    {"chubansheinfo", "ISBN TEXT|出版社名 TEXT"},
    {"shujiainfo", "存放位置名 TEXT|备注 TEXT"},
    {"readerinfo", "编号 TEXT|姓名 TEXT|性别 TEXT|类别 TEXT|借书期限 INTEGER|部门 TEXT|借出次数 INTEGER|未还书数 INTEGER|借阅数量限制 INTEGER|登记日期 TEXT|备用 TEXT|备注 TEXT"},
    {"duzheleibie", "类别名 TEXT|借书期限 INTEGER|借阅数量限制 INTEGER"},
    {"bumeninfo", "部门 TEXT"},
    {"jieyueinfo", "ID INTEGER|图书编号 TEXT|书名 TEXT|条形码 TEXT|" + kLoan + "|部门 TEXT"},
    {"jieyuelishiinfo", kHistory + "|部门 TEXT"},
    {"jieyuelishiinfo1", kHistory + "|部门 TEXT"},
    {"jieyuelishiinfogx", kHistory + "|所在单位 TEXT|部门 TEXT"},
    {"jieyue_yuyue", "图书编号 TEXT|图书名称 TEXT|读者编号 TEXT|读者姓名 TEXT|书架名称 TEXT|预借时间 TEXT|ISBN码 TEXT"},
    {"qikaninfo", "ID INTEGER|" + kPeriodical + "|是否借出 INTEGER"},
    {"qkinfo_diushi", "ID INTEGER|" + kPeriodical + kLost},
    {"qkinfo_tijiu", "ID INTEGER|" + kPeriodical + "|剔旧日期 TEXT|操作员 TEXT"},
    {"qikanmbinfo", "ID INTEGER|" + kPeriodical + "|是否借出 INTEGER"},
    {"qkjieyueinfo", "ID INTEGER|期刊编号 TEXT|期刊名称 TEXT|条形码 TEXT|" + kLoan},
    {"qkjieyuelishiinfo", "期刊编号 TEXT|期刊名称 TEXT|读者编号 TEXT|读者姓名 TEXT|读者类别 TEXT|操作性质 TEXT|操作时间 TEXT|操作员 TEXT"},
    {"diushiqikaninfo", "期刊编号 TEXT|期刊名称 TEXT|读者编号 TEXT|读者姓名 TEXT|挂失日期 TEXT|期刊价格 NUMERIC|操作员 TEXT"},
    {"bkinfo_baobiaoT", kReport},
    {"qkinfo_baobiaoT", kReport},
    {"admin", "用户名 TEXT|密码 TEXT"},
    {"tushuguaninfo", "图书馆名 TEXT|负责人 TEXT|地址 TEXT|邮编 TEXT"},
    {"gonggao", "标题 TEXT|内容 TEXT"},
    {"danweiinfo", "单位名称 TEXT"},
};
}

class TestSchema : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    CAdoConn m_conn;

    // Every row of a query, its cells joined by "|".
    QStringList rows(const QString& sql, const QVariantList& params = {})
    {
        RecordsetPtr rs = m_conn.GetRecordSet(sql, params);
        QStringList result;
        for (; !rs->IsEOF(); rs->MoveNext())
            result << rs->GetRowTexts().join(QLatin1Char('|'));
        return result;
    }

private slots:
    void initTestCase()
    {
        const QString path = m_dir.filePath(QStringLiteral("book.db"));
        QVERIFY(copyTemplateDatabase(path));
        QVERIFY(m_conn.Connect(path));
    }

    void everyTableIsListed()
    {
        QStringList expected;
        for (const auto& [table, columns] : kTables)
            expected << table;
        expected.sort();
        QCOMPARE(expected.size(), 28);
        QCOMPARE(rows("select name from sqlite_master where type='table' and name not like 'sqlite%' order by name"),
                 expected);
    }

    void columnsInOrder_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("columns");
        for (const auto& [table, columns] : kTables)
            QTest::newRow(qPrintable(table)) << table << columns.split(QLatin1Char('|'));
    }
    void columnsInOrder()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, columns);
        QCOMPARE(rows("select name || ' ' || type from pragma_table_info(?) order by cid", {table}), columns);
    }

    void constraints_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("params");
        QTest::addColumn<bool>("accepted");
        const QString loan = "insert into jieyueinfo (图书编号, 借书日期, 应还时间, 图书价格) values (?, ?, ?, ?)";
        QTest::newRow("loan without price") << loan << QVariantList{"B1", "2017-04-11", "2017-05-11", QVariant()} << true;
        QTest::newRow("loan with empty price") << loan << QVariantList{"B1", "2017-04-11", "2017-05-11", ""} << false;
        QTest::newRow("loan dated 2017-4-1") << loan << QVariantList{"B1", "2017-4-1", "2017-05-11", 25} << false;
        const QString reader = "insert into readerinfo (编号, 借书期限, 登记日期, 备注) values (?, ?, ?, ?)";
        QTest::newRow("empty reader cells") << reader << QVariantList{"R1", "", "", ""} << true;
        QTest::newRow("reader without number") << reader << QVariantList{"", 30, "", ""} << false;
        const QString book = "insert into bkinfo (图书编号, 是否借出) values (?, ?)";
        QTest::newRow("b0099 beside B0099") << book << QVariantList{"b0099", 0} << false;
        QTest::newRow("book flag NULL") << book << QVariantList{"B0102", QVariant()} << true;
        QTest::newRow("periodical flag 1") << QString("insert into qikaninfo (期刊编号, 是否借出) values (?, ?)")
                                           << QVariantList{"Q1", 1} << false;
        QTest::newRow("second operator of one name") << QString("insert into admin values (?, ?)")
                                                     << QVariantList{"超级用户", "x"} << false;
    }
    void constraints()
    {
        QFETCH(QString, sql);
        QFETCH(QVariantList, params);
        QFETCH(bool, accepted);
        CTransaction t(m_conn);
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into bkinfo (图书编号) values ('B0099')")));
        QCOMPARE(m_conn.ExecuteSql(sql, params), accepted);
    }

    // A flag written as NULL reads as "not lent", so the item counts as in stock.
    void nullFlagsReadAsInStock()
    {
        CTransaction t(m_conn);
        RecordsetPtr table = m_conn.GetRecordSet(QStringLiteral("select* from bkinfo"));
        table->AddNew();
        table->PutCollect(2, QStringLiteral("B1"));
        table->Update();
        const QString insert = QStringLiteral("insert into qikaninfo (期刊编号, 是否借出) values (?, ?)");
        QVERIFY(m_conn.ExecuteSql(insert, {"Q1", QVariant()}));
        QVERIFY(m_conn.ExecuteSql(insert, {"Q2", -1}));
        QVERIFY(m_conn.ExecuteSql(insert, {"Q3", -1}));
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("update qikaninfo set 是否借出=? where 期刊编号='Q2'"), {QVariant()}));
        QCOMPARE(rows("select 图书编号, 是否借出 from bkinfo where 是否借出=0"), QStringList{"B1|0"});
        QCOMPARE(rows("select 期刊编号, 是否借出 from qikaninfo order by 1"), QStringList({"Q1|0", "Q2|0", "Q3|-1"}));
    }

    void templateHoldsSeedRows_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("marked as ours") << "PRAGMA application_id" << QStringList{QString::number(CAdoConn::kApplicationId)};
        QTest::newRow("library") << "select * from tushuguaninfo" << QStringList{"学校图书馆|||"};
        QTest::newRow("reader types") << "select * from duzheleibie order by rowid" << QStringList{"学生|30|2", "教师|60|5"};
        QTest::newRow("book types") << "select count(*), min(类型名称), max(分类号代码) from tushuleixing"
                                    << QStringList{"38|A马克思主义、列宁主义、毛泽东思想、邓小平理论|Z"};
        QTest::newRow("shelves") << "select count(*), min(存放位置名), max(存放位置名) from shujiainfo where 备注=''"
                                 << QStringList{"8|1号书架|8号书架"};
        QTest::newRow("empty tables") << "select (select count(*) from bkinfo) + (select count(*) from readerinfo) + "
                                         "(select count(*) from chubansheinfo) + (select count(*) from jieyueinfo)"
                                      << QStringList{"0"};
    }
    void templateHoldsSeedRows()
    {
        QFETCH(QString, sql);
        QFETCH(QStringList, rows);
        QCOMPARE(this->rows(sql), rows);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
