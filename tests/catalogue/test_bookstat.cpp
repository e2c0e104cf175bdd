#include "controls/ButtonIcons.h"
#include "controls/ReportListCtrl.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "catalogue/BookStatPage.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QPushButton>
#include <QtTest>

namespace {

void addBook(const QString& type, const QString& publisher, const QVariant& price)
{
    static int number = 0;
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into bkinfo (图书编号, 书名, 图书类别, 出版处, 单价) values (?, '书', ?, ?, ?)"),
        {QStringLiteral("B%1").arg(++number), type, publisher, price}));
}

} // namespace

class TestBookStat : public QObject {
    Q_OBJECT

    std::optional<Workplace> m_work;
    std::unique_ptr<CBookStatPage> m_page;

    CReportListCtrl* list() const { return m_page->findChild<CReportListCtrl*>(QStringLiteral("m_list")); }
    void click(const char* name) { m_page->findChild<QPushButton*>(QLatin1String(name))->click(); }
    QString exportTo(const QString& name)
    {
        const QString path = m_work->folder.path() + QLatin1Char('/') + name;
        m_work->seams.chooser.answers << path;
        click("m_btnExport");
        return path;
    }

private slots:
    void init()
    {
        QVERIFY(m_work.emplace().folder.isReady());
        m_page = std::make_unique<CBookStatPage>();
    }

    void cleanup()
    {
        m_page.reset();
        m_work.reset();
    }

    // The list cuts a sum two places after the point, from the sum as the program prints it;
    // the sheet gets it whole. Its first column names the grouping, in the list and the file.
    void listAndFile_data()
    {
        QTest::addColumn<QVariantList>("prices");
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("written");
        const QVariantList three{25.8, 25.8, 25.8};
        QTest::newRow("binary sum") << three << "m_radioType" << "图书类别" << QStringList{"文学", "3", "77.4"}
                                    << QStringList{"文学", "3", "77.4"};
        QTest::newRow("fifty copies") << QVariantList(50, 1234.5678) << "m_radioType" << "图书类别"
                                      << QStringList{"文学", "50", "61728.39"} << QStringList{"文学", "50", "61728.39"};
        QTest::newRow("cut") << QVariantList{1234.5678} << "m_radioType" << "图书类别"
                             << QStringList{"文学", "1", "1234.56"} << QStringList{"文学", "1", "1234.5678"};
        QTest::newRow("one place stays") << QVariantList{12.5} << "m_radioPublisher" << "出版处"
                                         << QStringList{"中华书局", "1", "12.5"} << QStringList{"中华书局", "1", "12.5"};
        QTest::newRow("total") << three << "m_radioTotal" << "图书总计" << QStringList{"图书总量", "3", "77.4"}
                               << QStringList{"图书总量", "3", "77.4"};
        QTest::newRow("empty catalogue, total") << QVariantList{} << "m_radioTotal" << "图书总计"
                                                << QStringList{"图书总量", "0", ""} << QStringList{"图书总量", "0", ""};
    }

    // Each choice shows the bright lamp (214) while chosen or pointed at, else the dark one (213).
    void choicesShowLamps()
    {
        const QImage dark = resourceIcon(213).pixmap(16).toImage();
        const QImage bright = resourceIcon(214).pixmap(16).toImage();
        for (const char* name : {"m_radioClass", "m_radioType", "m_radioPublisher", "m_radioEntryDate", "m_radioTotal"}) {
            auto* radio = m_page->findChild<CSkinButton*>(QLatin1String(name));
            QCOMPARE(radio->icon().pixmap(16).toImage(), radio->isChecked() ? bright : dark);
        }
        QVERIFY(m_page->findChild<CSkinButton*>(QStringLiteral("m_radioType"))->isChecked());
    }

    void listAndFile()
    {
        QFETCH(QVariantList, prices);
        QFETCH(QString, radio);
        QFETCH(QString, heading);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, written);
        for (const QVariant& price : prices)
            addBook(QStringLiteral("文学"), QStringLiteral("中华书局"), price);
        click(qPrintable(radio));
        QCOMPARE(listRows(list()), Rows{listed});
        QCOMPARE(list()->headerItem()->text(0), heading);
        QCOMPARE(list()->headerItem()->text(1), QStringLiteral("图书数量(册)"));
        for (const char* name : {"书.xls", "书.xlsx"}) {
            const QString path = exportTo(QString::fromUtf8(name));
            QCOMPARE(m_work->seams.prompter.lastText(), QStringLiteral("导出数据成功!"));
            QCOMPARE(fileRows(path, QStringLiteral("图书信息分类汇总")),
                     (Rows{{heading, "图书数量(本)", "图书总价(元)"}, written}));
        }
    }

    void exportRefusals_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("message");
        QTest::newRow("before any query") << "" << "查询数据为空!";
        QTest::newRow("grouping without rows") << "m_radioClass" << "导出数据失败!";
    }

    void exportRefusals()
    {
        QFETCH(QString, radio);
        QFETCH(QString, message);
        if (!radio.isEmpty())
            click(qPrintable(radio));
        const QString path = exportTo(QStringLiteral("书.xls"));
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{message});
        QVERIFY(!QFile::exists(path));
    }

    // The page proposes one file for every grouping: another grouping's sheet is left alone
    // and the message names the way out; the same grouping again appends its rows.
    void groupingsIntoOneFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("remedy");
        const QString otherFile = QStringLiteral("请另选一个文件导出");
        QTest::newRow("xls") << QStringLiteral("图书信息分类汇总.xls") << QStringLiteral("把这个工作表改名");
        QTest::newRow("xlsx") << QStringLiteral("图书信息分类汇总.xlsx") << QStringLiteral("把这个工作表改名");
        QTest::newRow("comma text") << QStringLiteral("图书信息分类汇总.csv") << otherFile;
    }

    void groupingsIntoOneFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, remedy);
        addBook(QStringLiteral("文学"), QStringLiteral("中华书局"), 10);
        click("m_radioType");
        const QString path = exportTo(name);
        const QByteArray first = fileBytes(path);
        click("m_radioPublisher");
        exportTo(name);
        const QString refused = m_work->seams.prompter.lastText();
        QVERIFY2(refused.startsWith(QStringLiteral("导出数据失败!\n")) && refused.contains(QStringLiteral("图书类别"))
                     && refused.contains(remedy),
                 qPrintable(refused));
        QCOMPARE(fileBytes(path), first);
        click("m_radioType");
        exportTo(name);
        QCOMPARE(m_work->seams.prompter.lastText(), QStringLiteral("导出数据成功!"));
        const QStringList row{"文学", "1", "10"};
        QCOMPARE(fileRows(path, QStringLiteral("图书信息分类汇总")), (Rows{{"图书类别", "图书数量(本)", "图书总价(元)"}, row, row}));
    }

    // A grouping that the database refuses keeps the list and its heading.
    void refusedQueryKeepsTheList()
    {
        addBook(QStringLiteral("文学"), QStringLiteral("中华书局"), 10);
        click("m_radioType");
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("alter table bkinfo rename to bkinfo_away")));
        click("m_radioPublisher");
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"操作失败！"});
        QCOMPARE(list()->headerItem()->text(0), QStringLiteral("图书类别"));
        QCOMPARE(listRows(list()), (Rows{{"文学", "1", "10"}}));
    }
};

QTEST_MAIN(TestBookStat)
#include "test_bookstat.moc"
