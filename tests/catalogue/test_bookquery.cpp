#include "catalogue/BookLostQueryPage.h"
#include "catalogue/BookQueryDlg.h"
#include "catalogue/BookSearchPage.h"
#include "controls/ButtonIcons.h"
#include "controls/ReportListCtrl.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "sheets/SpreadsheetIdle.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {

void addBook(const QString& number, const QString& title, const QVariant& lent = 0,
             const QString& barcode = QString(), const QString& entryDate = QStringLiteral("2017-01-01"))
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into bkinfo (条形码, 图书编号, 书名, 著译者, 出版处, 单价, 入库时间, 是否借出) "
                       "values (?, ?, ?, '曹雪芹', '人民文学出版社', 25.8, ?, ?)"),
        {barcode, number, title, entryDate, lent}));
}

void addBooks(int count)
{
    CTransaction transaction(theApp().m_ado);
    for (int i = 0; i < count; ++i)
        addBook(QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("书%1").arg(i));
    QVERIFY(transaction.Commit());
}

void addLost(const QString& number, const QString& title, const QString& reader)
{
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into bkinfo_diushi (图书编号, 书名, 单价, 读者编号, 读者姓名, "
                                                     "挂失日期, 操作员) values (?, ?, 25.8, ?, '张三', '2017-03-01', '超级用户')"),
                                      {number, title, reader}));
}

} // namespace

class TestBookQuery : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<ScriptedSeams> m_seams;
    std::unique_ptr<CBookQueryDlg> m_dlg;

    CBookSearchPage* searchPage() const { return m_dlg->findChild<CBookSearchPage*>(); }
    CReportListCtrl* list(QWidget* page) const { return page->findChild<CReportListCtrl*>(QStringLiteral("m_list")); }
    QStringList messages() const { return m_seams->prompter.texts(); }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        QVERIFY(m_folder->isReady());
        m_seams = std::make_unique<ScriptedSeams>();
        m_dlg = std::make_unique<CBookQueryDlg>();
    }

    void cleanup()
    {
        m_dlg.reset();
        m_seams.reset();
        m_folder.reset();
    }

    // Keywords are matched literally: no wildcard, no quote breaks the statement.
    void searchKeywords_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("message");
        const QString none = QStringLiteral("没有找到相关信息的图书!");
        QTest::newRow("percent") << "%" << QStringList{"B2"} << "";
        QTest::newRow("underscore") << "_" << QStringList{"B5"} << "";
        QTest::newRow("quote") << "'" << QStringList{"B4"} << "";
        QTest::newRow("underscore inside") << "图书_1" << QStringList{"B5"} << "";
        QTest::newRow("chinese fragment") << "楼" << QStringList{"B1"} << "";
        QTest::newRow("exact barcode") << "9787020002207" << QStringList{"B1"} << "";
        QTest::newRow("part of a barcode") << "978702000220" << QStringList{} << none;
        QTest::newRow("exact number") << "b3" << QStringList{"B3"} << "";
        QTest::newRow("entry month") << "2017-02" << QStringList{"B6"} << "";
        QTest::newRow("all") << "(全部)" << QStringList{"B1", "B2", "B3", "B4", "B5", "B6"} << "";
        QTest::newRow("empty") << "" << QStringList{} << "请输入用查询信息！";
    }

    void searchKeywords()
    {
        QFETCH(QString, keyword);
        QFETCH(QStringList, numbers);
        QFETCH(QString, message);
        addBook("B1", "红楼梦", 0, "9787020002207");
        addBook("B2", "100%好书");
        addBook("B3", "1000个好书");
        addBook("B4", "O'Brien 诗选");
        addBook("B5", "图书_1");
        addBook("B6", "图书A1", 0, QString(), "2017-02-11");
        searchFor(searchPage(), keyword);
        QCOMPARE(listColumn(list(searchPage()), 1), numbers);
        QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    // A tab change leaves the next page's "(全部)" as it is, and Enter lists everything:
    // the focus goes to the tabs, never into the page that comes up.
    void tabChangeKeepsAll_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("click on the tab") << false;
        QTest::newRow("Ctrl+Tab") << true;
    }

    void tabChangeKeepsAll()
    {
        QFETCH(bool, byKey);
        addBook("B1", "红楼梦");
        addLost("L1", "水浒传", "R1");
        addLost("L2", "西游记", "R2");
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        auto* searchEdit = searchPage()->findChild<QLineEdit*>(QStringLiteral("m_editSearch"));
        searchEdit->setFocus();
        QTest::keyClicks(searchEdit, "b1");
        QTest::keyClick(searchEdit, Qt::Key_Return);
        QCOMPARE(listColumn(list(searchPage()), 1), QStringList{"B1"});
        auto* tabs = m_dlg->findChild<QTabBar*>();
        if (byKey)
            QTest::keyClick(searchEdit, Qt::Key_Tab, Qt::ControlModifier);
        else
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        auto* lostPage = m_dlg->findChild<CBookLostQueryPage*>();
        QVERIFY(lostPage->isVisible());
        QCOMPARE(lostPage->findChild<QLineEdit*>(QStringLiteral("m_editSearch"))->text(), QStringLiteral("(全部)"));
        QVERIFY(tabs->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(listColumn(list(lostPage)), (QStringList{"L1", "L2"}));
        QCOMPARE(messages(), QStringList());
    }

    // Pages of 100 with the refusals at both ends; the buttons do nothing before a search.
    // Where pages are cut is the paged list's own test.
    // Icon 143 on the window; the search page's progress bar stands idle beside the hidden export.
    void windowIconAndIdleProgress()
    {
        QCOMPARE(m_dlg->windowIcon().pixmap(32).toImage(), resourceIcon(143).pixmap(32).toImage());
        QVERIFY(searchPage()->ExportButton()->isHidden());
        QVERIFY(!searchPage()->ExportProgress()->isHidden());
        QCOMPARE(searchPage()->ExportProgress()->value(), 0);
    }

    void paging()
    {
        addBooks(101);
        CBookSearchPage* page = searchPage();
        auto* prev = page->findChild<QPushButton*>(QStringLiteral("m_btnPrev"));
        auto* next = page->findChild<QPushButton*>(QStringLiteral("m_btnNext"));
        prev->click();
        next->click();
        QCOMPARE(messages(), QStringList());

        searchFor(page, QStringLiteral("(全部)"));
        QCOMPARE(page->findChild<QLabel*>(QStringLiteral("m_staticPageInfo"))->text(), QStringLiteral("共计：2页  101条记录"));
        QCOMPARE(page->findChild<QComboBox*>(QStringLiteral("m_cmbPage"))->count(), 2);
        QVERIFY(!page->findChild<QComboBox*>(QStringLiteral("m_cmbPage"))->isEditable());
        QCOMPARE(list(page)->GetItemCount(), 100);
        prev->click();
        next->click();
        QCOMPARE(listColumn(list(page), 1), QStringList{"B0100"});
        next->click();
        QCOMPARE(messages(), (QStringList{"已是第一页！", "已是最后一页！"}));

        // A search without hits empties the list and leaves the page line and selector.
        searchFor(page, QStringLiteral("no such book"));
        QCOMPARE(list(page)->GetItemCount(), 0);
        QCOMPARE(messages().last(), QStringLiteral("没有找到相关信息的图书!"));
        QCOMPARE(page->findChild<QLabel*>(QStringLiteral("m_staticPageInfo"))->text(), QStringLiteral("共计：2页  101条记录"));
        QCOMPARE(page->findChild<QComboBox*>(QStringLiteral("m_cmbPage"))->count(), 2);
    }

    void lentFlagShown_data()
    {
        QTest::addColumn<QVariant>("flag");
        QTest::addColumn<QString>("shown");
        QTest::newRow("in stock") << QVariant(0) << "未借";
        QTest::newRow("lent") << QVariant(1) << "已借";
        QTest::newRow("reserved") << QVariant(2) << "已借";
        QTest::newRow("no flag") << QVariant() << "已借";
    }

    void lentFlagShown()
    {
        QFETCH(QVariant, flag);
        QFETCH(QString, shown);
        addBook("B1", "红楼梦", flag);
        searchFor(searchPage(), QStringLiteral("B1"));
        QCOMPARE(list(searchPage())->GetItemText(0, 15), shown);
    }

    // A failing search keeps the list it had.
    void refusedSearchKeepsTheList()
    {
        addBook("B1", "红楼梦");
        searchFor(searchPage(), QStringLiteral("(全部)"));
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("alter table bkinfo rename to bkinfo_away")));
        searchFor(searchPage(), QStringLiteral("红楼"));
        QCOMPARE(messages(), QStringList{"操作失败"});
        QCOMPARE(listColumn(list(searchPage()), 1), QStringList{"B1"});
    }

    void lostBooks_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("message");
        QTest::newRow("all, in the table's order") << "(全部)" << QStringList{"L3", "L1", "L2"} << "";
        QTest::newRow("reader number") << "R1" << QStringList{"L3", "L1"} << "";
        QTest::newRow("library loss") << "9999" << QStringList{"L2"} << "";
        QTest::newRow("book number") << "L1" << QStringList{"L1"} << "";
        QTest::newRow("title fragment") << "楼" << QStringList{"L1"} << "";
        QTest::newRow("percent") << "%" << QStringList{"L2"} << "";
        QTest::newRow("quote") << "'" << QStringList{} << "";
        QTest::newRow("empty") << "" << QStringList{} << "请输入查询数据！";
    }

    void lostBooks()
    {
        QFETCH(QString, keyword);
        QFETCH(QStringList, numbers);
        QFETCH(QString, message);
        addLost("L3", "水浒传", "R1");
        addLost("L1", "红楼梦", "R1");
        addLost("L2", "100%好书", "9999");
        auto* page = m_dlg->findChild<CBookLostQueryPage*>();
        searchFor(page, keyword);
        QCOMPARE(listColumn(list(page), 0), numbers);
        QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList{message});
        const qsizetype l1 = numbers.indexOf("L1");
        if (l1 >= 0)
            QCOMPARE(list(page)->GetRowTexts(int(l1)),
                     (QStringList{"L1", "红楼梦", "R1", "张三", "2017-03-01", "25.8", "超级用户"}));
    }

    void closeRefusedWhileAWorkerRuns_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("close box") << false;
        QTest::newRow("escape") << true;
    }

    // Any spreadsheet worker of the program keeps the window open, however it is closed.
    void closeRefusedWhileAWorkerRuns()
    {
        QFETCH(bool, escape);
        m_dlg->show();
        auto tryClose = [&] {
            if (escape)
                QTest::keyClick(m_dlg.get(), Qt::Key_Escape);
            else
                m_dlg->close();
        };
        {
            const SpreadsheetWorker worker;
            tryClose();
            QVERIFY(m_dlg->isVisible());
            QCOMPARE(messages(), QStringList{"导出数据进程没结束！"});
        }
        tryClose();
        QVERIFY(!m_dlg->isVisible());
    }

    // The export writes every row of the last search, whatever page is shown, and the window
    // stays open until it has.
    void exportWritesTheWholeResult()
    {
        addBooks(250);
        CBookSearchPage* page = searchPage();
        QVERIFY(!page->findChild<QPushButton*>(QStringLiteral("m_btnExport"))->isVisibleTo(page));
        page->OnExport();
        QCOMPARE(messages(), QStringList{"没有图书信息可导出!"});
        searchFor(page, QStringLiteral("书1"));
        page->findChild<QPushButton*>(QStringLiteral("m_btnNext"))->click();
        const QString path = m_folder->path() + QStringLiteral("/书.xlsx");
        m_seams->chooser.answers << path;
        m_dlg->show();
        page->OnExport();
        m_dlg->close();
        QTest::keyClick(m_dlg.get(), Qt::Key_Escape);
        QVERIFY(m_dlg->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(messages().size(), 4, 20000);
        QCOMPARE(messages().mid(1), (QStringList{"导出数据进程没结束！", "导出数据进程没结束！", "导出数据成功!"}));

        const Rows written = fileRows(path);
        QCOMPARE(written.value(0).size(), 16);
        QCOMPARE(written.value(0).last(), QStringLiteral("是否借出"));
        QStringList numbers;
        for (const QStringList& cells : written.mid(1))
            numbers << cells.value(1);
        // 书1, 书10-书19, 书100-书199: the rows of both pages in the list's order.
        QCOMPARE(numbers.size(), 111);
        QCOMPARE(numbers.first(), QStringLiteral("B0001"));
        QCOMPARE(numbers.last(), QStringLiteral("B0199"));
        m_dlg->close();
        QVERIFY(!m_dlg->isVisible());
    }
};

QTEST_MAIN(TestBookQuery)
#include "test_bookquery.moc"
