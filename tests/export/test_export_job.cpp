#include "db/AppState.h"
#include "export/ListExport.h"
#include "export/SheetExport.h"
#include "sheets/SpreadsheetIdle.h"
#include "support/TestSupport.h"

#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// A list window as the query windows are: a result, an export button, a progress bar.
class ListWindow : public QDialog {
public:
    explicit ListWindow(CListExport::Options options)
        : m_export(this, &m_bar, &m_button, std::move(options))
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(&m_button);
        layout->addWidget(&m_bar);
    }

    QProgressBar m_bar;
    QPushButton m_button;
    CListExport m_export;
};

CListExport::Options bookOptions()
{
    CListExport::Options options;
    options.firstField = 1;
    options.lastField = 16;
    return options;
}

void addBooks(int count, int from = 0)
{
    CTransaction transaction(theApp().m_ado);
    for (int i = from; i < from + count; ++i) {
        QVERIFY(theApp().m_ado.ExecuteSql(
            QStringLiteral("insert into bkinfo (条形码, 图书编号, 书名, 单价, 入库时间, 是否借出) values (?, ?, ?, ?, ?, 0)"),
            {QStringLiteral(" 978%1 ").arg(i, 10, 10, QLatin1Char('0')), QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')),
             QStringLiteral("书名 %1\t").arg(i), 25.8, QVariant()}));
    }
    QVERIFY(transaction.Commit());
}

RecordsetPtr books() { return theApp().m_ado.GetRecordSet(QStringLiteral("select * from bkinfo order by ID")); }
}

class TestExportJob : public QObject {
    Q_OBJECT

    std::optional<Workplace> m_work;

    QString filePath(const QString& name) const { return m_work->folder.path() + QLatin1Char('/') + name; }
    void waitForMessages(int count)
    {
        QTRY_COMPARE_WITH_TIMEOUT(m_work->seams.prompter.messages.size(), count, 20000);
    }

private slots:
    void init() { QVERIFY(m_work.emplace().folder.isReady()); }

    void cleanup()
    {
        m_work.reset();
        QCOMPARE(g_bSpreadsheetIdle.load(), 0);
    }

    void writesTheResult_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sheet");
        QTest::newRow("xls") << QStringLiteral("书.xls") << QStringLiteral("Sheet1");
        QTest::newRow("upper-case XLS") << QStringLiteral("书.XLS") << QStringLiteral("Sheet1");
        QTest::newRow("xlsx") << QStringLiteral("书.xlsx") << QStringLiteral("Sheet1");
    }

    // The header holds the field names without the identity, values are trimmed and a
    // NULL is an empty cell.
    void writesTheResult()
    {
        QFETCH(QString, name);
        QFETCH(QString, sheet);
        addBooks(3);
        ListWindow window(bookOptions());
        m_work->seams.chooser.answers << filePath(name);
        window.m_export.Start(books());
        waitForMessages(1);
        QCOMPARE(m_work->seams.prompter.lastText(), QStringLiteral("导出数据成功!"));

        const Rows rows = fileRows(filePath(name), sheet);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0].size(), 16);
        QCOMPARE(rows[0].front(), QStringLiteral("条形码"));
        QCOMPARE(rows[0].back(), QStringLiteral("是否借出"));
        QCOMPARE(rows[3], (QStringList{"9780000000002", "B000002", "", "", "", "书名 2", "", "", "", "", "", "", "25.8",
                                       "", "", "0"}));
    }

    void progressRange_data()
    {
        QTest::addColumn<int>("scaleFrom");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("last");
        // The bar counts rows from 0: the last row sets it one step short of its end.
        QTest::newRow("tens from 32768 rows") << 32768 << 4000 << 3999;
        QTest::newRow("reader query: every row") << 0 << 40000 << 39999;
    }

    // The window moves its cursor and inserts a row while the job runs: the file still
    // holds the rows of the moment the export started. Meanwhile the window refuses to close.
    void progressRange()
    {
        QFETCH(int, scaleFrom);
        QFETCH(int, maximum);
        QFETCH(int, last);
        addBooks(40000);
        CListExport::Options options = bookOptions();
        options.progressScaleFrom = scaleFrom;
        ListWindow window(options);
        window.show();
        m_work->seams.chooser.answers << filePath(QStringLiteral("many.xlsx"));
        RecordsetPtr result = books();
        window.m_export.Start(result);
        QCOMPARE(window.m_bar.maximum(), maximum);
        QVERIFY(!window.m_button.isEnabled());
        QVERIFY(!window.close());
        QTest::keyClick(&window.m_button, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QCOMPARE(m_work->seams.prompter.texts(), (QStringList{"导出数据进程没结束！", "导出数据进程没结束！"}));
        result->MoveLast();
        result->AddNew();
        result->PutCollect(QStringLiteral("图书编号"), QStringLiteral("LATE"));
        result->Update();
        result->MoveFirst();
        waitForMessages(3);
        QCOMPARE(m_work->seams.prompter.lastText(), QStringLiteral("导出数据成功!"));
        QCOMPARE(window.m_bar.value(), last);
        QVERIFY(window.m_button.isEnabled());
        const Rows rows = fileRows(filePath(QStringLiteral("many.xlsx")));
        QCOMPARE(rows.size(), 40001);
        QCOMPARE(rows.last()[1], QStringLiteral("B039999"));
        QVERIFY(window.close());
    }

    // The last row is shown on the bar also where it falls between two of the bar's steps
    // (a step here being two rows, or two tens of rows).
    void barShowsTheLastRow_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("scaleFrom");
        QTest::newRow("every row") << 201 << 0;
        QTest::newRow("tens") << 2010 << 2000;
    }
    void barShowsTheLastRow()
    {
        QFETCH(int, count);
        QFETCH(int, scaleFrom);
        addBooks(count);
        CListExport::Options options = bookOptions();
        options.progressScaleFrom = scaleFrom;
        ListWindow window(options);
        m_work->seams.chooser.answers << filePath(QStringLiteral("rows.xlsx"));
        window.m_export.Start(books());
        QCOMPARE(window.m_bar.maximum(), 201);
        waitForMessages(1);
        QCOMPARE(m_work->seams.prompter.lastText(), QStringLiteral("导出数据成功!"));
        QCOMPARE(window.m_bar.value(), 200);
    }

    // The first job to end leaves the program busy while the other still runs.
    void overlappingJobs()
    {
        addBooks(40000);
        ListWindow big(bookOptions());
        ListWindow small(bookOptions());
        m_work->seams.chooser.answers << filePath(QStringLiteral("big.xlsx")) << filePath(QStringLiteral("small.xls"));
        big.m_export.Start(books());
        small.m_export.Start(theApp().m_ado.GetRecordSet(QStringLiteral("select * from bkinfo where ID <= 5")));
        QTRY_VERIFY_WITH_TIMEOUT(!small.m_export.IsRunning(), 20000);
        if (big.m_export.IsRunning())
            QVERIFY(!spreadsheetIdle());
        waitForMessages(2);
        QCOMPARE(m_work->seams.prompter.texts(), (QStringList{"导出数据成功!", "导出数据成功!"}));
        QCOMPARE(fileRows(filePath(QStringLiteral("big.xlsx"))).size(), 40001);
        QCOMPARE(fileRows(filePath(QStringLiteral("small.xls"))).size(), 6);
        QVERIFY(spreadsheetIdle());
    }

    void refusals_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("totals");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString limit = QStringLiteral("导出数据失败!\nxls文件最多65536行（含列头），本次有65537行，请改存为xlsx文件。");
        QTest::newRow("empty result") << 0 << false << QStringLiteral("a.xls") << QStringLiteral("没有图书信息可导出!");
        QTest::newRow("existing file") << 1 << false << QStringLiteral("exists.xlsx") << QStringLiteral("文件已存在！");
        QTest::newRow("xls past its rows") << 65536 << false << QStringLiteral("big.xls") << limit;
        QTest::newRow("report: the totals row past the rows") << 65535 << true << QStringLiteral("report.xls") << limit;
    }

    void refusals()
    {
        QFETCH(int, count);
        QFETCH(bool, totals);
        QFETCH(QString, name);
        QFETCH(QString, message);
        addBooks(count);
        QVERIFY(writeFile(filePath(QStringLiteral("exists.xlsx")), "mine"));
        CListExport::Options options = bookOptions();
        if (totals)
            options.footer = [](const RowBlock&) { return QList<QStringList>{{QStringLiteral("合计")}}; };
        ListWindow window(options);
        m_work->seams.chooser.answers << filePath(name);
        window.m_export.Start(books());
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{message});
        QVERIFY(!window.m_export.IsRunning());
        QCOMPARE(fileBytes(filePath(name)), name == QLatin1String("exists.xlsx") ? QByteArray("mine") : "<missing>");
    }

    // The exports that write on the window's thread say the limit too.
    void directExportPastTheLimitSaysSo()
    {
        QWidget window;
        m_work->seams.chooser.answers << filePath(QStringLiteral("借阅信息分类汇总.xls"));
        exportSummary(&window, QStringLiteral("借阅信息分类汇总"), {QStringLiteral("部门"), QStringLiteral("借阅人次")},
                      QList<QStringList>(65536, QStringList{QStringLiteral("一班"), QStringLiteral("3")}),
                      EmptySummary::Written);
        QCOMPARE(m_work->seams.prompter.texts(),
                 QStringList{"导出数据失败!\nxls文件最多65536行（含列头），本次有65537行，请改存为xlsx文件。"});
        QVERIFY(!QFile::exists(filePath(QStringLiteral("借阅信息分类汇总.xls"))));
    }

    void emptyResultWritesTheHeaderWhenAllowed()
    {
        CListExport::Options options;
        options.lastField = 11;
        options.refuseEmpty = false;
        options.nothingMessage = QStringLiteral("没有查询信息!");
        ListWindow window(options);
        m_work->seams.chooser.answers << filePath(QStringLiteral("读者档案资料.xls"));
        window.m_export.Start(theApp().m_ado.GetRecordSet(QStringLiteral("select * from readerinfo")));
        waitForMessages(1);
        const Rows rows = fileRows(filePath(QStringLiteral("读者档案资料.xls")));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.front().front(), QStringLiteral("编号"));
    }

    // A text file whose header ends in empty cells (a separator after the last name, as
    // spreadsheet programs and the lists' text exports leave it) has the export's header
    // and takes its rows.
    void headerEndingInEmptyCellsTakesRows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("csv, a comma") << QStringLiteral("借阅.csv") << QStringLiteral(",") << QByteArray("编号,姓名,\r\n1,张三,\r\n");
        QTest::newRow("text, TABs") << QStringLiteral("借阅.txt") << QStringLiteral("\t") << QByteArray("编号\t姓名\t\t\r\n1\t张三\r\n");
    }

    void headerEndingInEmptyCellsTakesRows()
    {
        QFETCH(QString, name);
        QFETCH(QString, separator);
        QFETCH(QByteArray, bytes);
        QVERIFY(writeFile(filePath(name), bytes));
        QString error;
        QVERIFY2(exportSheet(filePath(name), separator, false, {QStringLiteral("编号"), QStringLiteral("姓名")},
                             {{QStringLiteral("2"), QStringLiteral("李四")}}, &error),
                 qPrintable(error));
        const Rows rows = fileRows(filePath(name), separator);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.last().mid(0, 2), (QStringList{"2", "李四"}));
    }
};

QTEST_MAIN(TestExportJob)
#include "test_export_job.moc"
