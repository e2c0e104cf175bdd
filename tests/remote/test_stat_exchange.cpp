#include "core/TextCodec.h"
#include "db/AppState.h"
#include "remote/DataDownloadDlg.h"
#include "sheets/SpreadsheetFile.h"
#include "remote/StatExchangeFile.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

namespace {
void book(const QString& number, const QString& type, const QVariant& price, const QString& entered)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into bkinfo (图书编号, 图书类别, 单价, 入库时间) values (?, ?, ?, ?)"),
        {number, type, price, entered}));
}

void history(const QString& kind, const QString& when, const QString& readerType)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into jieyuelishiinfo (图书编号, 读者类别, 操作性质, 操作时间) values ('B1', ?, ?, ?)"),
        {readerType, kind, when}));
}

QString here(const QString& name) { return QDir::current().filePath(name); }

CellRow texts(const QStringList& values)
{
    CellRow cells;
    for (const QString& value : values)
        cells.push_back(SheetCell::fromText(value));
    return cells;
}
}

// The statistics exchange file, byte for byte, and the merge of such files into a workbook.
class TestStatExchange : public QObject {
    Q_OBJECT

    std::optional<Workplace> m_work;

    bool write(const QString& path, const QString& unit = QStringLiteral("实验小学"))
    {
        QString error;
        return StatExchangeFile::write(theApp().m_ado, path, unit, QDate(2017, 4, 1), QDate(2017, 12, 31), &error);
    }

private slots:
    void init() { QVERIFY(m_work.emplace().folder.isReady()); }
    void cleanup() { m_work.reset(); }

    // An empty library gives the section lines only.
    void fileHoldsTheThreeSections()
    {
        const QString empty = here(QStringLiteral("empty.dat"));
        QVERIFY(write(empty, QStringLiteral("单位\t一")));
        QCOMPARE(fileBytes(empty), toGbk("[图书类别]\r\n[入库时间]\r\n[借阅情况]\r\n"));
        book("B1", "文学", 25.8, "2017-01-01");
        book("B2", "文学", 20, "2017-03-05");
        book("B3", "科技", QVariant(), "2017-03-05");
        book("B4", "文\t学\r\n", 10, "2017-03-05");
        history("图书借阅", "2017-04-11", "学生");
        history("图书借阅", "2017-12-31 16:20:00", "学生");
        history("图书借阅", "2017-03-31", "学生");
        history("图书借阅", "2018-01-01", "教师");
        history("图书归还", "2017-04-12", "教师");
        history("图书借阅", "2017-05-02", "教师");
        const QString path = here(QStringLiteral("book(实验小学).dat"));
        QVERIFY(write(path));
        QCOMPARE(fileBytes(path), toGbk("[图书类别]\r\n"
                                      "实验小学\t文 学  \t1\t10\r\n"
                                      "实验小学\t文学\t2\t45.8\r\n"
                                      "实验小学\t科技\t0\t\r\n"
                                      "[入库时间]\r\n"
                                      "实验小学\t2017-01-01\t1\t25.8\r\n"
                                      "实验小学\t2017-03-05\t2\t30\r\n"
                                      "[借阅情况]\r\n"
                                      "实验小学2017-4-1\t学生\t2\r\n"
                                      "实验小学2017-4-1\t教师\t1\r\n"));
    }

    // A file that cannot be written whole is not written at all.
    void failedExportLeavesNoHalfFile()
    {
        book("B1", "文学", 25.8, "2017-01-01");
        const QString path = here(QStringLiteral("book.dat"));
        QVERIFY(writeFile(path, "old"));
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("alter table jieyuelishiinfo rename to gone")));
        QVERIFY(!write(path));
        QCOMPARE(fileBytes(path), QByteArray("old"));
        QVERIFY(!write(here(QStringLiteral("no/such/folder/book.dat"))));
        QCOMPARE(QDir::current().entryList(QStringList{QStringLiteral("*.dat*")}, QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("book.dat")});
    }

    void filesAreMerged()
    {
        QDir folder(here(QStringLiteral("download")));
        QVERIFY(folder.mkpath(QStringLiteral("sub")));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("book(实验小学).dat")),
                          toGbk("[图书类别]\r\n实验小学\t文学\t2\t45.8\r\n实验小学\t科技\t0\t\r\n[入库时间]\r\n"
                                "实验小学\t2017-01-01\t1\t25.8\r\n[借阅情况]\r\n实验小学2017-4-1\t学生\t2\r\n")));
        // Written elsewhere: LF line ends, UTF-8.
        QVERIFY(writeFile(folder.filePath(QStringLiteral("book(第二中学).dat")),
                          QStringLiteral("[图书类别]\n第二中学\t文学\t5\t100\n[入库时间]\n[借阅情况]\n"
                                         "第二中学2017-4-1\t教师\t3\n").toUtf8()));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("readme.txt")), "not a statistics file\r\n"));
        const QString workbook = here(QStringLiteral("汇总.xls"));

        StatExchangeFile::MergeResult result = StatExchangeFile::merge(folder.path(), workbook);
        QVERIFY2(result.written, qPrintable(result.error));
        QCOMPARE(result.skipped, QStringList({QStringLiteral("readme.txt"), QStringLiteral("sub")}));
        // Merged again: the rows follow those already there, under the one header.
        result = StatExchangeFile::merge(folder.path(), workbook);
        QVERIFY2(result.written, qPrintable(result.error));

        const QStringList a1 = {"实验小学", "文学", "2", "45.8"}, a2 = {"实验小学", "科技", "0", ""};
        const QStringList b1 = {"第二中学", "文学", "5", "100"};
        QCOMPARE(fileRows(workbook, QStringLiteral("图书类别")),
                 (Rows{{"单位名称", "图书类别", "图书册书", "图书价钱"}, a1, a2, b1, a1, a2, b1}));
        const QStringList e1 = {"实验小学", "2017-01-01", "1", "25.8"};
        QCOMPARE(fileRows(workbook, QStringLiteral("入库时间")), (Rows{{"单位名称", "入库时间", "图书册书", "图书价钱"}, e1, e1}));
        const QStringList l1 = {"实验小学2017-4-1", "学生", "2"}, l2 = {"第二中学2017-4-1", "教师", "3"};
        QCOMPARE(fileRows(workbook, QStringLiteral("借阅情况")), (Rows{{"单位名称", "借阅人员", "借阅人次"}, l1, l2, l1, l2}));
    }

    void parseTakesOtherWriters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("[图书类别]\n第二中学\t文学\t5\t100\n[入库时间]\n[借阅情况]\n");
        QTest::newRow("GBK, CR LF") << toGbk(QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
        QTest::newRow("UTF-8") << text.toUtf8();
        QTest::newRow("UTF-8 with a byte order mark") << QByteArray("\xEF\xBB\xBF" + text.toUtf8());
    }

    void parseTakesOtherWriters()
    {
        QFETCH(QByteArray, bytes);
        StatExchangeFile::Sections sections;
        QCOMPARE(StatExchangeFile::parse(bytes, &sections), StatExchangeFile::Kind::Whole);
        QCOMPARE(sections.bookTypes, (Rows{{"第二中学", "文学", "5", "100"}}));
    }

    // A file cut anywhere is taken whole only where a cut leaves nothing to see: at the end
    // of a line of its last section.
    void cutFilesAreKnown()
    {
        book("B1", "文学", 25.8, "2017-01-01");
        book("B2", "科技", 20, "2017-03-05");
        history("图书借阅", "2017-04-11", "学生");
        history("图书借阅", "2017-05-02", "教师");
        const QString path = here(QStringLiteral("book(实验小学).dat"));
        QVERIFY(write(path));
        const QByteArray bytes = fileBytes(path);
        const qsizetype lastSection = bytes.indexOf(toGbk(StatExchangeFile::kLendings));
        QList<qsizetype> whole;
        for (qsizetype size = 0; size <= bytes.size(); ++size) {
            StatExchangeFile::Sections sections;
            const StatExchangeFile::Kind kind = StatExchangeFile::parse(bytes.left(size), &sections);
            QVERIFY(kind != StatExchangeFile::Kind::Other);
            if (kind == StatExchangeFile::Kind::Whole)
                whole << size;
        }
        const qsizetype firstLendings = bytes.indexOf('\n', lastSection) + 1;
        const qsizetype secondLendings = bytes.indexOf('\n', firstLendings) + 1;
        QCOMPARE(whole, (QList<qsizetype>{firstLendings, secondLendings, bytes.size()}));
    }

    // A file cut short refuses the merge with its name, and so does a piece of an upload,
    // however whole inside: once it is whole the merge counts every unit once.
    void cutFileRefusesTheMerge_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray whole = toGbk("[图书类别]\r\n实验小学\t文学\t2\t45.8\r\n[入库时间]\r\n"
                                       "实验小学\t2017-01-01\t1\t25.8\r\n[借阅情况]\r\n实验小学2017-4-1\t学生\t12\r\n");
        const QString unit = QStringLiteral("book(实验小学).dat");
        QTest::newRow("cut inside the last line") << unit << whole.left(whole.size() - 3);
        QTest::newRow("cut between CR and LF") << unit << whole.left(whole.size() - 1);
        QTest::newRow("cut before the last section") << unit << whole.left(whole.indexOf(toGbk("[借阅情况]")));
        QTest::newRow("cut in the first section") << unit << whole.left(20);
        QTest::newRow("cut inside the first line") << unit << whole.left(5);
        QTest::newRow("cut inside a character of the first line") << unit << whole.left(4);
        QTest::newRow("empty") << unit << QByteArray();
        QTest::newRow("an upload's part") << unit + QStringLiteral(".part") << whole;
        QTest::newRow("an old copy") << unit + QStringLiteral(".old") << whole;
    }
    void cutFileRefusesTheMerge()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QDir folder(here(QStringLiteral("download")));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("book(第二中学).dat")),
                          toGbk("[图书类别]\r\n第二中学\t文学\t5\t100\r\n[入库时间]\r\n[借阅情况]\r\n")));
        QVERIFY(writeFile(folder.filePath(name), bytes));
        const QString workbook = here(QStringLiteral("汇总.xls"));

        const StatExchangeFile::MergeResult result = StatExchangeFile::merge(folder.path(), workbook);
        QVERIFY(!result.written);
        QCOMPARE(result.cut, QStringList{name});
        QVERIFY(!QFile::exists(workbook));

        CDataDownloadDlg window;
        window.findChild<QLineEdit*>(QStringLiteral("m_editWorkbook"))->setText(workbook);
        window.findChild<QLineEdit*>(QStringLiteral("m_editFolder"))->setText(folder.path());
        window.findChild<QAbstractButton*>(QStringLiteral("m_btnMerge"))->click();
        QCOMPARE(m_work->seams.prompter.texts(),
                 QStringList{QStringLiteral("数据合成失败!\n以下文件不完整（传输被中断），请删除或重新下载：\n") + name});
        QVERIFY(!QFile::exists(workbook));
    }

    // A sheet that cannot take its rows (a full .xls sheet) leaves the others as they
    // were, so a second try counts nothing twice; the window says why.
    void mergeIsAllOrNothing()
    {
        QDir folder(here(QStringLiteral("download")));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("book(a).dat")),
                          toGbk("[图书类别]\r\na\t文学\t1\t2\r\n[入库时间]\r\na\t2017-01-01\t1\t2\r\n"
                                "a\t2017-01-02\t1\t2\r\n[借阅情况]\r\n")));
        const QString workbook = here(QStringLiteral("汇总.xls"));
        Sheet types;
        types.sheetName = QStringLiteral("图书类别");
        types.rows.push_back(texts({"单位名称", "图书类别", "图书册书", "图书价钱"}));
        Sheet dates;
        dates.sheetName = QStringLiteral("入库时间");
        dates.rows.push_back(texts({"单位名称", "入库时间", "图书册书", "图书价钱"}));
        dates.rows.resize(65535, texts({"b", "2016-01-01", "1", "2"}));
        QString error;
        QVERIFY2(saveSpreadsheet(workbook, {&types, &dates}, QLatin1Char(','), true, &error), qPrintable(error));
        const QByteArray before = fileBytes(workbook);
        const QString limit = QStringLiteral("xls文件最多65536行（含列头），本次有65537行，请改存为xlsx文件。");

        const StatExchangeFile::MergeResult result = StatExchangeFile::merge(folder.path(), workbook);
        QVERIFY(!result.written);
        QCOMPARE(result.error.trimmed(), limit);
        QVERIFY(fileBytes(workbook) == before);

        CDataDownloadDlg window;
        window.findChild<QLineEdit*>(QStringLiteral("m_editWorkbook"))->setText(workbook);
        window.findChild<QLineEdit*>(QStringLiteral("m_editFolder"))->setText(folder.path());
        window.findChild<QAbstractButton*>(QStringLiteral("m_btnMerge"))->click();
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{QStringLiteral("数据合成失败!\n") + limit});
        QVERIFY(fileBytes(workbook) == before);
    }

    void mergeFailureIsSaid_data()
    {
        QTest::addColumn<QString>("workbook");
        QTest::newRow("missing folder") << "no/such/folder/汇总.xls";
        QTest::newRow("not a workbook") << "汇总.txt";
    }
    void mergeFailureIsSaid()
    {
        QFETCH(QString, workbook);
        QDir folder(here(QStringLiteral("download")));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("book(a).dat")),
                          toGbk("[图书类别]\r\na\tb\t1\t2\r\n[入库时间]\r\n[借阅情况]\r\n")));
        QVERIFY(!StatExchangeFile::merge(folder.path(), here(workbook)).written);
        QVERIFY(!QFile::exists(here(workbook)));
    }
};

QTEST_MAIN(TestStatExchange)
#include "test_stat_exchange.moc"
