#include "StockFixture.h"

#include "catalogue/BookCancelDlg.h"
#include "catalogue/BookLostDlg.h"
#include "catalogue/BookUnlossDlg.h"
#include "catalogue/BookWeedOutDlg.h"
#include "catalogue/StockMover.h"
#include "controls/ButtonIcons.h"
#include "controls/ReportListCtrl.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"

#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {
enum Window { Lost, WeedOut, Unloss, Cancel };

std::unique_ptr<QDialog> open(Window which)
{
    switch (which) {
    case Lost:
        return std::make_unique<CBookLostDlg>();
    case WeedOut:
        return std::make_unique<CBookWeedOutDlg>();
    case Unloss:
        return std::make_unique<CBookUnlossDlg>();
    case Cancel:
        return std::make_unique<CBookCancelDlg>();
    }
    return {};
}

QString targetOf(Window which) { return which == WeedOut ? "bkinfo_tijiu" : "bkinfo_diushi"; }

void moveOut(Window which, const QString& number)
{
    StockMover mover(theApp().m_ado, StockTables::books(), "管理员");
    QCOMPARE(which == WeedOut ? mover.weedOut(number) : mover.reportLost(number), StockMover::Outcome::Done);
}

void setText(QWidget& w, const char* name, const QString& text) { w.findChild<QLineEdit*>(name)->setText(text); }

// Lists every copy in stock in a loss or weed-out window.
void queryStock(QWidget& w, const QString& key = QString())
{
    setText(w, "m_editStockKey", key);
    clickButton(w, "m_btnQueryBooks");
}

void tick(CReportListCtrl* list, const QStringList& numbers, int numberColumn = 0)
{
    for (int row = 0; row < list->GetItemCount(); ++row)
        if (numbers.contains(list->GetItemText(row, numberColumn)))
            list->SetCheck(row, true);
}

void select(CReportListCtrl* list, int row)
{
    list->clearSelection();
    list->SetSelected(row, true);
}
}

Q_DECLARE_METATYPE(Window)

// The loss, weed-out, loss-cancel and book-cancel windows, driven by their widgets.
class TestStockWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<StockWorkplace> m_work;
    QStringList messages() const { return m_work->seams.prompter.texts(); }

private slots:
    void init()
    {
        m_work = std::make_unique<StockWorkplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    // A statement that fails, or a delete that silently removes nothing, changes no table.
    void failedMoveChangesNothing_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("raise");
        for (Window w : {Lost, WeedOut}) {
            const QString name = w == Lost ? "lost: " : "weed-out: ";
            QTest::newRow(qPrintable(name + "insert into the target"))
                << w << QString("before insert on %1").arg(targetOf(w)) << "abort, 'disk full'";
            QTest::newRow(qPrintable(name + "delete from the stock"))
                << w << QString("before delete on bkinfo") << "abort, 'disk full'";
        }
        QTest::newRow("lost: a delete that removes nothing") << Lost << "before delete on bkinfo" << "ignore";
    }

    void failedMoveChangesNothing()
    {
        QFETCH(Window, window);
        QFETCH(QString, trigger);
        QFETCH(QString, raise);
        stockBook("B1");
        stockBook("B2");
        auto w = open(window);
        queryStock(*w);
        tick(listOf(*w, "m_listStock"), {"B1", "B2"});
        QVERIFY(theApp().m_ado.ExecuteSql(
            QString("create temp trigger fail %1 begin select raise(%2); end").arg(trigger, raise)));
        const QStringList before = stockSnapshot();

        clickButton(*w, "m_btnMoveOut");
        QCOMPARE(messages(), QStringList{"操作失败"});
        QCOMPARE(stockSnapshot(), before);
        QCOMPARE(theApp().m_ado.TransDepth(), 0);
    }

    void failedRestoreChangesNothing_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("message");
        const QString restore = "图书恢复失败!\n";
        QTest::newRow("lost: insert into stock") << Lost << "before insert on bkinfo" << restore;
        QTest::newRow("lost: delete the loss row") << Lost << "before delete on bkinfo_diushi" << restore;
        QTest::newRow("weed-out: insert into stock") << WeedOut << "before insert on bkinfo" << restore;
        QTest::newRow("weed-out: delete the row") << WeedOut << "before delete on bkinfo_tijiu" << restore;
        QTest::newRow("unloss: insert into stock") << Unloss << "before insert on bkinfo" << "图书解挂失败!\n";
        QTest::newRow("unloss: delete the loss row") << Unloss << "before delete on bkinfo_diushi" << "图书解挂失败!\n";
    }

    void failedRestoreChangesNothing()
    {
        QFETCH(Window, window);
        QFETCH(QString, trigger);
        QFETCH(QString, message);
        stockFullBook("B1");
        moveOut(window, "B1");
        auto w = open(window);
        clickButton(*w, window == Unloss ? "m_btnQuery" : "m_btnQueryOut");
        CReportListCtrl* lower = listOf(*w, window == Unloss ? "m_list" : "m_listOut");
        QCOMPARE(listColumn(lower), QStringList{"B1"});
        select(lower, 0);
        failOn(trigger);
        const QStringList before = stockSnapshot();

        clickButton(*w, window == Unloss ? "m_btnUnloss" : "m_btnRestore");
        QCOMPARE(messages(), QStringList{message});
        QCOMPARE(stockSnapshot(), before);
        QCOMPARE(listColumn(lower), QStringList{"B1"});
    }

    void copiesOutAreSkippedAndNamed_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("message");
        const QString lent = "\nB2\nB3\nB4\nB5";
        QTest::newRow("lost") << Lost << "以下图书已借出或预约，不能报失：" + lent + "\n读者丢失的图书请用图书挂失处理。";
        QTest::newRow("weed-out") << WeedOut << "以下图书已借出或预约，不能剔旧：" + lent;
        QTest::newRow("cancel") << Cancel << "以下图书已借出或预约，不能注销：" + lent;
    }

    void copiesOutAreSkippedAndNamed()
    {
        QFETCH(Window, window);
        QFETCH(QString, message);
        stockBook("B1");
        stockBook("B2", "红楼梦", 1);
        stockBook("B3", "红楼梦", 2);
        stockBook("B4");
        lendRow("B4");
        stockBook("B5");
        reserveRow("B5");
        stockBook("B6");
        auto w = open(window);
        const bool cancel = window == Cancel;
        if (cancel)
            clickButton(*w, "m_btnFind");
        else
            queryStock(*w);
        CReportListCtrl* list = listOf(*w, cancel ? "m_list" : "m_listStock");
        tick(list, {"B1", "B2", "B3", "B4", "B5"}, cancel ? 1 : 0);

        clickButton(*w, cancel ? "m_btnCancelStock" : "m_btnMoveOut");
        QStringList shown = messages();
        QCOMPARE(shown.value(0), message);
        if (cancel)
            QCOMPARE(shown.value(1), "共删除了1条记录!");
        QCOMPARE(cell("select group_concat(图书编号) from (select 图书编号 from bkinfo order by rowid)"), "B2,B3,B4,B5,B6");
        if (!cancel)
            QCOMPARE(cell(QString("select group_concat(图书编号) from %1").arg(targetOf(window))), "B1");
        QCOMPARE(listColumn(list, cancel ? 1 : 0), (QStringList{"B2", "B3", "B4", "B5", "B6"}));
    }

    void walkGoesBottomUpOnceEach_data()
    {
        QTest::addColumn<Window>("window");
        QTest::newRow("lost") << Lost;
        QTest::newRow("weed-out") << WeedOut;
    }

    void walkGoesBottomUpOnceEach()
    {
        QFETCH(Window, window);
        for (const char* number : {"B1", "B2", "B3", "B4", "C1"})
            stockBook(number);
        auto w = open(window);
        queryStock(*w, "B");
        QVERIFY(listColumn(listOf(*w, "m_listStock")).isEmpty());
        queryStock(*w, "红楼");
        CReportListCtrl* stock = listOf(*w, "m_listStock");
        tick(stock, {"B1", "B3"});
        select(stock, rowOf(*stock, "B3"));
        stock->SetSelected(rowOf(*stock, "B4"), true);

        clickButton(*w, "m_btnMoveOut");
        QVERIFY(messages().isEmpty());
        QCOMPARE(cell(QString("select group_concat(图书编号) from (select 图书编号 from %1 order by ID)")
                          .arg(targetOf(window))),
                 "B4,B3,B1");
        QCOMPARE(listColumn(stock), (QStringList{"B2", "C1"}));
        QVERIFY(stock->GetCheckedRows().isEmpty());
        QCOMPARE(listColumn(listOf(*w, "m_listOut")), (QStringList{"B4", "B3", "B1"}));
        if (window == Lost)
            QCOMPARE(listOf(*w, "m_listOut")->GetRowTexts(0),
                     (QStringList{"B4", "红楼梦", "9999", "system", "2017-04-11", "30", "超级用户"}));
    }

    // Before any stock query nothing is chosen and there is no query to repeat: refilling the
    // stock list fails as an unreadable list does, and the lower list shows every row.
    void moveBeforeAnyStockQuery_data() { walkGoesBottomUpOnceEach_data(); }

    void moveBeforeAnyStockQuery()
    {
        QFETCH(Window, window);
        stockBook("B1");
        stockBook("B2");
        moveOut(window, "B2");
        auto w = open(window);
        clickButton(*w, "m_btnMoveOut");
        QCOMPARE(messages(), QStringList{"操作失败"});
        QCOMPARE(listOf(*w, "m_listStock")->GetItemCount(), 0);
        QCOMPARE(listColumn(listOf(*w, "m_listOut")), QStringList{"B2"});
        QCOMPARE(cell("select group_concat(图书编号) from bkinfo"), "B1");
    }

    // A chosen copy gone from stock meanwhile ends the walk there, silently: the rows below it
    // have moved, the rows above it stay ticked and neither list is refilled.
    void copyGoneMidWalkEndsIt_data() { walkGoesBottomUpOnceEach_data(); }

    void copyGoneMidWalkEndsIt()
    {
        QFETCH(Window, window);
        for (const char* number : {"B1", "B2", "B3", "B4"})
            stockBook(number);
        auto w = open(window);
        queryStock(*w);
        CReportListCtrl* stock = listOf(*w, "m_listStock");
        tick(stock, {"B1", "B2", "B4"});
        QVERIFY(theApp().m_ado.ExecuteSql("delete from bkinfo where 图书编号='B2'"));

        clickButton(*w, "m_btnMoveOut");
        QVERIFY(messages().isEmpty());
        QCOMPARE(cell(QString("select group_concat(图书编号) from %1").arg(targetOf(window))), "B4");
        QCOMPARE(cell("select group_concat(图书编号) from (select 图书编号 from bkinfo order by rowid)"), "B1,B3");
        QCOMPARE(listColumn(stock), (QStringList{"B1", "B2", "B3", "B4"}));
        QCOMPARE(stock->GetCheckedRows(), (QList<int>{0, 1, 3}));
        QCOMPARE(listOf(*w, "m_listOut")->GetItemCount(), 0);
    }

    // Enter runs the window's default button wherever the focus is.
    void enterRunsTheDefaultButton_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("filled");
        QTest::newRow("lost: the loss list's search text") << Lost << "m_editKey" << "m_listStock";
        QTest::newRow("lost: the loss list") << Lost << "m_listOut" << "m_listStock";
        QTest::newRow("weed-out: the stock list") << WeedOut << "m_listStock" << "m_listStock";
        QTest::newRow("unloss: the list") << Unloss << "m_list" << "m_list";
        QTest::newRow("cancel: the list") << Cancel << "m_list" << "m_list";
    }

    void enterRunsTheDefaultButton()
    {
        QFETCH(Window, window);
        QFETCH(QString, field);
        QFETCH(QString, filled);
        stockBook("B1");
        stockBook("B2");
        moveOut(Lost, "B2");
        auto w = open(window);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        auto* target = w->findChild<QWidget*>(field);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QVERIFY(w->isVisible());
        QCOMPARE(listOf(*w, qPrintable(filled))->GetItemCount(), 1);
        QVERIFY(messages().isEmpty());
    }

    void restoreMovesTheChosenRowOnly()
    {
        stockBook("B1", "第一本");
        moveOut(Lost, "B1");
        stockBook("B1", "第二本");
        moveOut(Lost, "B1");
        stockBook("C1");
        CBookLostDlg w;
        queryStock(w, "C1");
        clickButton(w, "m_btnQueryOut");
        CReportListCtrl* lost = listOf(w, "m_listOut");
        QCOMPARE(listColumn(lost, 1), (QStringList{"第一本", "第二本"}));
        // Sorted by pinyin the second copy comes first: the row keeps its ID through the sort.
        lost->SortColumn(1, true);
        QCOMPARE(listColumn(lost, 1), (QStringList{"第二本", "第一本"}));
        select(lost, 0);

        clickButton(w, "m_btnRestore");
        QVERIFY(messages().isEmpty());
        QCOMPARE(cell("select 书名 from bkinfo where 图书编号='B1'"), "第二本");
        QCOMPARE(listColumn(lost, 1), QStringList{"第一本"});
        QCOMPARE(listColumn(listOf(w, "m_listStock")), (QStringList{"C1", "B1"}));

        select(lost, 0);
        clickButton(w, "m_btnRestore");
        QCOMPARE(messages(), QStringList{"图书恢复失败!\n编号已在库中：B1"});
        QCOMPARE(listColumn(lost, 1), QStringList{"第一本"});
    }

    void restoreWithoutSelection()
    {
        CBookWeedOutDlg w;
        clickButton(w, "m_btnRestore");
        CBookUnlossDlg u;
        clickButton(u, "m_btnUnloss");
        QCOMPARE(messages(), (QStringList{"没有选定书目!\n", "没有选定书目!\n"}));
    }

    void lostListByDates()
    {
        for (const char* number : {"B1", "B2"})
            stockBook(number);
        moveOut(Lost, "B1");
        m_work->seams.clock.set(QDateTime(QDate(2017, 4, 12), QTime(8, 0)));
        moveOut(Lost, "B2");
        CBookLostDlg w;
        auto* first = w.findChild<QDateEdit*>("m_dateFirst");
        auto* key = w.findChild<QLineEdit*>("m_editKey");
        QCOMPARE(first->date(), QDate(2017, 4, 12));
        QVERIFY(!first->isEnabled() && key->isEnabled());
        w.findChild<QRadioButton*>("m_radioDate")->click();
        QVERIFY(first->isEnabled() && !key->isEnabled());
        first->setDate(QDate(2017, 4, 11));
        w.findChild<QDateEdit*>("m_dateLast")->setDate(QDate(2017, 4, 11));

        clickButton(w, "m_btnQueryOut");
        QCOMPARE(listColumn(listOf(w, "m_listOut")), QStringList{"B1"});
    }

    void unlossFindsByNumberOrTitle_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("number") << "B2" << QStringList{"B2"};
        QTest::newRow("part of the title") << "楼" << QStringList{"B1", "B2"};
        QTest::newRow("every lost book") << "" << QStringList{"B1", "B2", "B3"};
    }

    void unlossFindsByNumberOrTitle()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, listed);
        stockBook("B1", "红楼梦");
        stockBook("B2", "红楼梦");
        stockBook("B3", "水浒传");
        for (const char* number : {"B1", "B2", "B3"})
            moveOut(Lost, number);
        CBookUnlossDlg w;
        setText(w, "m_editKey", key);
        clickButton(w, "m_btnQuery");
        CReportListCtrl* list = listOf(w, "m_list");
        QCOMPARE(listColumn(list), listed);

        select(list, 0);
        clickButton(w, "m_btnUnloss");
        QVERIFY(messages().isEmpty());
        QCOMPARE(cell("select 图书编号 || 是否借出 from bkinfo"), listed.first() + "0");
        QCOMPARE(listColumn(list).size(), 2);
    }

    void weedOutExportRefusals_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("message");
        QTest::newRow("before a query") << QString() << false << "没有图书信息可导出!";
        QTest::newRow("no rows") << "没有" << false << "没有图书信息可导出!";
        QTest::newRow("onto an existing file") << "" << true << "文件已存在！";
    }

    void weedOutExportRefusals()
    {
        QFETCH(QString, query);
        QFETCH(bool, fileExists);
        QFETCH(QString, message);
        stockBook("B1");
        moveOut(WeedOut, "B1");
        const QString path = m_work->folder.path() + "/剔旧.xls";
        if (fileExists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("kept");
        }
        m_work->seams.chooser.answers << path;
        CBookWeedOutDlg w;
        if (!query.isNull()) {
            setText(w, "m_editKey", query);
            clickButton(w, "m_btnQueryOut");
        }
        clickButton(w, "m_btnExport");
        QCOMPARE(messages(), QStringList{message});
        QCOMPARE(QFile(path).size(), fileExists ? 4 : 0);
    }

    // The export writes the weeded list as it stood at the last query, fields 1-14.
    void weedOutExportWritesTheList()
    {
        stockFullBook("B1");
        stockBook("B2", "水浒传");
        moveOut(WeedOut, "B1");
        moveOut(WeedOut, "B2");
        stockBook("B3");
        const QString path = m_work->folder.path() + "/剔旧.xlsx";
        m_work->seams.chooser.answers << path;
        CBookWeedOutDlg w;
        clickButton(w, "m_btnQueryOut");
        moveOut(WeedOut, "B3");

        clickButton(w, "m_btnExport");
        QTRY_COMPARE_WITH_TIMEOUT(messages(), QStringList{"导出数据成功!"}, 20000);
        QVERIFY(!w.findChild<QProgressBar*>("m_progress")->isTextVisible());
        const Rows written = fileRows(path, "Sheet1");
        QCOMPARE(written.size(), 3);
        QCOMPARE(written[0], (QStringList{"条形码", "图书编号", "分类号", "图书类别", "复本号", "图书名称", "著译者", "出版处",
                                          "页数", "开本", "版期", "版次", "单价", "书架名称"}));
        QCOMPARE(written[1], (QStringList{"978'7", "B1", "", "文学", "2", "红楼梦 \"脂评\" O'Brien", "", "人民文学出版社",
                                          "300", "16开", "2017-01", "第一版", "25.8", "1号书架"}));
        QCOMPARE(written[2].value(1), "B2");
    }

    void cancelWindowIcons()
    {
        CBookCancelDlg w;
        for (const auto& [name, icon] : {std::pair{"m_btnFind", 192}, {"m_btnSelectAll", 199}, {"m_btnClearAll", 216},
                                         {"m_btnCancelStock", 210}, {"m_btnExit", 215}})
            QCOMPARE(w.findChild<CSkinButton*>(name)->icon().pixmap(16).toImage(), resourceIcon(icon).pixmap(16).toImage());
    }

    void cancelListsTheFirst500()
    {
        CTransaction t(theApp().m_ado);
        for (int i = 0; i < 700; ++i)
            stockBook(QString("B%1").arg(i, 3, 10, QChar('0')), "旧书");
        stockBook("C1", "新书");
        QVERIFY(t.Commit());
        CBookCancelDlg w;
        setText(w, "m_editKeyword", "旧书");
        clickButton(w, "m_btnFind");
        CReportListCtrl* list = listOf(w, "m_list");
        QCOMPARE(list->GetItemCount(), 500);
        QCOMPARE(list->GetItemText(499, 1), "B499");
        setText(w, "m_editKeyword", "没有");
        clickButton(w, "m_btnFind");
        QCOMPARE(messages(), QStringList{"图书库没有找到相关数据!"});
        QCOMPARE(list->GetItemCount(), 0);
    }

    void cancelCountsRowsDeleted_data()
    {
        QTest::addColumn<bool>("failing");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("deleted") << false << QStringList{"共删除了2条记录!"} << QStringList{"B4"};
        QTest::newRow("the database refuses")
            << true << QStringList{"共删除了0条记录!"} << QStringList{"B1", "B2", "B4"};
    }

    void cancelCountsRowsDeleted()
    {
        QFETCH(bool, failing);
        QFETCH(QStringList, said);
        QFETCH(QStringList, left);
        for (const char* number : {"B1", "B2", "B3", "B4"})
            stockBook(number, "O'Brien");
        CBookCancelDlg w;
        setText(w, "m_editKeyword", "O'B");
        clickButton(w, "m_btnFind");
        CReportListCtrl* list = listOf(w, "m_list");
        tick(list, {"B1", "B2", "B3"}, 1);
        select(list, 1);
        QVERIFY(theApp().m_ado.ExecuteSql("delete from bkinfo where 图书编号='B3'"));
        if (failing)
            failOn("before delete on bkinfo");

        clickButton(w, "m_btnCancelStock");
        QCOMPARE(messages(), said);
        QCOMPARE(listColumn(list, 1), left);
    }

    // The edit, the window's first field, has the focus when the window opens and so is
    // empty. Enter in the emptied edit presses 查找, which takes the focus first: the edit,
    // left empty, shows "(全部)" again, and every book is found.
    void cancelKeywordEdit()
    {
        stockBook("B1");
        CBookCancelDlg w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* edit = w.findChild<QLineEdit*>("m_editKeyword");
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), "");
        listOf(w, "m_list")->setFocus();
        QCOMPARE(edit->text(), "(全部)");
        edit->setFocus();
        QCOMPARE(edit->text(), "");
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(messages().isEmpty());
        QCOMPARE(edit->text(), "(全部)");
        QCOMPARE(listColumn(listOf(w, "m_list"), 1), QStringList{"B1"});
        edit->setText("");
        clickButton(w, "m_btnFind");
        QCOMPARE(messages(), QStringList{"请输入用查询信息！"});
    }
};

QTEST_MAIN(TestStockWindows)
#include "test_stockwindows.moc"
