#include "../marc/MarcBuilder.h"

#include "catalogue/BookStore.h"
#include "catalogue/MarcImport.h"
#include "catalogue/MarcImportDlg.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <QPushButton>

namespace {
CAdoConn& db() { return theApp().m_ado; }

QStringList column(const QString& sql)
{
    RecordsetPtr rs = db().GetRecordSet(sql);
    QStringList texts;
    for (; rs->IsOpen() && !rs->IsEOF(); rs->MoveNext())
        texts << rs->GetRowTexts().join(QLatin1Char('|'));
    return texts;
}

void storeNumbers(const QStringList& numbers)
{
    for (const QString& number : numbers)
        QVERIFY(db().ExecuteSql(QStringLiteral("insert into bkinfo (图书编号, 书名) values (?, '旧书')"), {number}));
}

// A list row with the given title, the other cells named after their column.
QStringList listRow(const QString& title)
{
    QStringList row;
    for (int column = 0; column < kBookFieldCount; ++column)
        row << QStringLiteral("c%1").arg(column);
    row[kTitle] = title;
    row[kEntryDate] = QStringLiteral("2017-04-11");
    return row;
}

// The database refuses the book with this title, as a full disk or a lock would.
const QString kRefusedTitle = QStringLiteral("坏书");
void refuseTitle()
{
    QVERIFY(db().ExecuteSql(QStringLiteral("create trigger refuse before insert on bkinfo when new.书名 = '%1' "
                                           "begin select raise(abort, '拒绝写入'); end")
                                .arg(kRefusedTitle)));
}

QByteArray book(const QByteArray& title)
{
    return MarcBuilder().field("010", {{'a', "7-02-000220-X"}, {'d', "CNY25.50"}}).field("200", {{'a', title}}).record();
}
}

class TestMarcImport : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        seams = std::make_unique<ScriptedSeams>();
        folder = std::make_unique<TestProgramFolder>();
        QVERIFY(folder->isReady());
        dialog = std::make_unique<CMarcImportDlg>();
        dialog->show();
    }

    void cleanup()
    {
        dialog.reset();
        folder.reset();
        seams.reset();
    }

    void firstNumber_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("first");
        QTest::newRow("empty catalogue") << QStringList{} << "0";
        QTest::newRow("letters and leading zeros") << QStringList{"B0001", "0099"} << "100";
        QTest::newRow("compared as numbers, not texts") << QStringList{"9", "10", "099"} << "100";
        QTest::newRow("zeros only") << QStringList{"000"} << "1";
        QTest::newRow("no all-digit number") << QStringList{"12a", "A99", " 5"} << "0";
        QTest::newRow("longer than any integer") << QStringList{"123456789012345678901234567", "99"}
                                                 << "123456789012345678901234568";
    }
    void firstNumber()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, first);
        storeNumbers(stored);
        QCOMPARE(MarcImport(db()).firstNumber(), first);
    }

    // The list's 图书编号 and 复本号 cells are replaced; every other cell goes to its column.
    void storesEveryColumn()
    {
        QVERIFY(MarcImport(db()).store({listRow("A"), listRow("B"), listRow("C")}));
        QCOMPARE(column(QStringLiteral("select 图书编号, 复本号, 书名, 是否借出 from bkinfo order by ID")),
                 QStringList({"0|1|A|0", "1|1|B|0", "2|1|C|0"}));
        QStringList expected = listRow("A");
        expected[kBookNo] = "0";
        expected[kCopyNo] = "1";
        QCOMPARE(column(QStringLiteral("select * from bkinfo where 书名='A'")),
                 QStringList{"1|" + expected.join(QLatin1Char('|')) + "|0"});
    }

    void storingAgainContinues()
    {
        storeNumbers({"B0001", "0099"});
        MarcImport import(db());
        QVERIFY(import.store({listRow("A"), listRow("B"), listRow("C")}));
        QVERIFY(import.store({listRow("A")}));
        QCOMPARE(column(QStringLiteral("select 图书编号 from bkinfo where 书名 <> '旧书' order by ID")),
                 QStringList({"100", "101", "102", "103"}));
    }

    void failureStoresNothing()
    {
        storeNumbers({"7"});
        refuseTitle();
        QVERIFY(!MarcImport(db()).store({listRow("A"), listRow("B"), listRow(kRefusedTitle), listRow("D")}));
        QCOMPARE(column(QStringLiteral("select 图书编号 from bkinfo")), QStringList{"7"});
        QCOMPARE(db().TransDepth(), 0);
    }

    // Rows of each file are added behind those listed; nothing is stored before the button.
    void windowListsAndStores()
    {
        writeFile("books.iso", book("Alpha") + "\r\n" + book("Beta") + "\r\n");
        const QString path = folder->path() + "/books.iso";
        seams->chooser.answers << path << path;
        click("m_btnOpen");
        QCOMPARE(list()->GetItemCount(), 2);
        QCOMPARE(list()->GetRowTexts(0),
                 QStringList({"702000220X", "", "", "", "", "Alpha", "", "", "", "", "", "", "25", "", "2017-04-11"}));
        QCOMPARE(column(QStringLiteral("select count(*) from bkinfo")), QStringList{"0"});
        click("m_btnOpen");
        QCOMPARE(list()->GetItemCount(), 4);
        QCOMPARE(seams->prompter.texts(), QStringList());

        click("m_btnSave");
        QCOMPARE(seams->prompter.texts(), QStringList{"保存数据成功!"});
        QCOMPARE(list()->GetItemCount(), 4);
        QCOMPARE(column(QStringLiteral("select 图书编号, 书名, 单价 from bkinfo order by ID")),
                 QStringList({"0|Alpha|25", "1|Beta|25", "2|Alpha|25", "3|Beta|25"}));
    }

    void windowOpenChoices_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("rows");
        const QByteArray good = book("Good");
        QTest::newRow("cancelled") << "" << good << QStringList{} << 0;
        QTest::newRow("missing file") << "gone.iso" << good << QStringList{"打开文件错误,操作失败!"} << 0;
        QTest::newRow("a folder") << "Database" << good << QStringList{"打开文件错误,操作失败!"} << 0;
        // What is no record is passed over without a word: the list shows what was read.
        QTest::newRow("no records") << "books.iso" << QByteArray("\r\n") << QStringList{} << 0;
        QTest::newRow("a record without its terminator swallows the next")
            << "books.iso" << good + good.chopped(1) + good + good.left(30) << QStringList{} << 2;
    }
    void windowOpenChoices()
    {
        QFETCH(QString, answer);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, messages);
        QFETCH(int, rows);
        writeFile("books.iso", file);
        seams->chooser.answers << (answer.isEmpty() ? answer : folder->path() + QLatin1Char('/') + answer);
        click("m_btnOpen");
        QCOMPARE(seams->prompter.texts(), messages);
        QCOMPARE(list()->GetItemCount(), rows);
        seams->prompter.messages.clear();
        click("m_btnSave");
        QCOMPARE(seams->prompter.texts(), rows > 0 ? QStringList{"保存数据成功!"} : QStringList{});
    }

    // The failure is said in the window's own words; the list stays for another try.
    // The system's open dialog, for ISO files alone.
    void openDialogOffersIsoFiles()
    {
        struct Recorder : FileChooser {
            QStringList asked;
            QString openFile(QWidget*, const QString& caption, const QString&, const QString& filter) override
            {
                asked << caption + QLatin1Char('|') + filter;
                return {};
            }
            QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
            QString folder(QWidget*, const QString&, const QString&) override { return {}; }
        } recorder;
        FileChooser::install(&recorder);
        click("m_btnOpen");
        FileChooser::install(&seams->chooser);
        QCOMPARE(recorder.asked, QStringList{"打开|ISO文件(*.iso)"});
    }

    void windowStoreFailure()
    {
        refuseTitle();
        writeFile("books.iso", book("A") + book("B") + book(kRefusedTitle.toUtf8()));
        seams->chooser.answers << folder->path() + "/books.iso";
        click("m_btnOpen");
        QCOMPARE(list()->GetItemCount(), 3);
        click("m_btnSave");
        QCOMPARE(seams->prompter.texts(), QStringList{"保存数据失败!"});
        QCOMPARE(column(QStringLiteral("select count(*) from bkinfo")), QStringList{"0"});
        QCOMPARE(list()->GetItemCount(), 3);
    }

    // The header names bkinfo columns 1 to 16; each row carries the list's 15 cells and an empty
    // sixteenth. Nothing is stored by an export.
    void windowExportsList()
    {
        writeFile("books.iso", book(QStringLiteral("红楼梦").toUtf8()) + book("Beta"));
        seams->chooser.answers << folder->path() + "/books.iso" << folder->path() + "/out";
        click("m_btnOpen");
        click("m_btnExport");
        QCOMPARE(seams->prompter.texts(), QStringList{"导出数据成功!"});
        QCOMPARE(seams->chooser.proposals, QStringList({QString(), folder->path() + "/图书MARC数据.xls"}));
        const QString row = QStringLiteral("702000220X|||||%1|||||||25||2017-04-11|");
        QStringList written;
        for (const QStringList& cells : fileRows(folder->path() + "/out.xls", QStringLiteral("图书MARC数据")))
            written << cells.join(QLatin1Char('|'));
        QCOMPARE(written,
                 QStringList({"条形码|图书编号|分类号|图书类别|复本号|书名|著译者|出版处|页数|开本|版期|版次|单价|书架名称|入库时间|是否借出",
                              row.arg(QStringLiteral("红楼梦")), row.arg("Beta")}));
        QCOMPARE(column(QStringLiteral("select count(*) from bkinfo")), QStringList{"0"});
    }

    void windowExportChoices_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty list: no question") << false << "out.xls" << "";
        QTest::newRow("cancelled") << true << "" << "";
        QTest::newRow("folder missing") << true << "gone/out.xls" << "导出数据失败!";
        QTest::newRow("a folder of that name") << true << "blocked.xls" << "导出数据失败!";
        QTest::newRow("a sheet of another export") << true << "other.csv" << "导出数据失败!";
    }
    void windowExportChoices()
    {
        QFETCH(bool, listed);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        writeFile("books.iso", book("Alpha"));
        QVERIFY(QDir(folder->path()).mkdir("blocked.xls"));
        writeFile("other.csv", "读者编号,姓名\r\n");
        if (listed) {
            seams->chooser.answers << folder->path() + "/books.iso";
            click("m_btnOpen");
        }
        seams->chooser.answers << (answer.isEmpty() ? answer : folder->path() + QLatin1Char('/') + answer);
        click("m_btnExport");
        QCOMPARE(seams->chooser.answers.size(), listed ? 0 : 1);
        // The failure text first, then why.
        QCOMPARE(seams->prompter.texts().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(seams->prompter.lastText().section(QLatin1Char('\n'), 0, 0), message);
        if (answer == QLatin1String("other.csv"))
            QVERIFY2(seams->prompter.lastText().contains(QStringLiteral("读者编号")), qPrintable(seams->prompter.lastText()));
        QVERIFY(!QFile::exists(folder->path() + "/out.xls"));
    }
private:
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder->path() + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    void click(const char* name) { dialog->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    CReportListCtrl* list() { return dialog->findChild<CReportListCtrl*>(QStringLiteral("m_list")); }

    std::unique_ptr<ScriptedSeams> seams;
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<CMarcImportDlg> dialog;
};

QTEST_MAIN(TestMarcImport)
#include "test_marcimport.moc"
