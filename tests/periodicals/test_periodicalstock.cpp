#include "PeriodicalFixture.h"

#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "periodicals/PeriodicalCancelDlg.h"
#include "periodicals/PeriodicalLoanLossDlg.h"
#include "periodicals/PeriodicalLostDlg.h"
#include "periodicals/PeriodicalUnlossDlg.h"
#include "periodicals/PeriodicalWeedDlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {
enum Window { Lost, Weed };

std::unique_ptr<QDialog> moveWindow(Window which)
{
    if (which == Lost)
        return std::make_unique<CPeriodicalLostDlg>();
    return std::make_unique<CPeriodicalWeedDlg>();
}

CReportListCtrl* list(QWidget& w, const char* name) { return child<CReportListCtrl>(&w, name); }
void click(QWidget& w, const char* name) { child<QPushButton>(&w, name)->click(); }
void setText(QWidget& w, const char* name, const QString& text) { child<QLineEdit>(&w, name)->setText(text); }

void selectRow(CReportListCtrl* l, int row)
{
    l->clearSelection();
    l->SetSelected(row, true);
}

// The reader R1 has the copy KA1 on loan, as an import leaves a loan: flagged lent.
void lendKA1ToR1()
{
    insertReader("R1", "张三", "5");
    insertPeriodical("KA1", "读者", "12.80", -1);
    insertLoanRow("KA1", "R1", "qkjieyueinfo");
}

// The reader loss window lists the loans of R1, the first one chosen.
void chooseFirstLoanOfR1(QWidget& w)
{
    setText(w, "m_editReader", "R1");
    click(w, "m_btnFind");
    selectRow(list(w, "m_list"), 0);
}

// Columns 1 to 15 of the copy, each as SQL quotes it: NULL, a number and a text differ.
QString copied(const QString& table, const QString& number)
{
    return cell(QString("select quote(条形码) || quote(期刊编号) || quote(中图分类) || quote(分类名称) || quote(复本号) "
                        "|| quote(期刊名称) || quote(邮发代号) || quote(出版社名) || quote(第几期) || quote(总第几期) "
                        "|| quote(出版时间) || quote(国内刊号) || quote(期刊单价) || quote(存放位置) || quote(入库时间) "
                        "from %1 where 期刊编号='%2'")
                    .arg(table, number));
}

// A copy with NULLs, a number, a quote and Chinese text among its columns.
void fullPeriodical(const QString& number)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        "insert into qikaninfo (条形码, 期刊编号, 中图分类, 分类名称, 复本号, 期刊名称, 邮发代号, 出版社名, 第几期, "
        "总第几期, 出版时间, 国内刊号, 期刊单价, 存放位置, 入库时间) values (NULL, ?, 'G63', 'G文化', '2', 'O''K 读者', "
        "'2-88', NULL, '3', '201', '2017-03-01', 'CN62-1118', 12.8, '1号书架', '2017-03-02')",
        {number}));
}
}

Q_DECLARE_METATYPE(Window)

// The periodical cancel, loss, weed-out, loss-cancel and reader-loss windows over the
// periodical tables.
class TestPeriodicalStock : public QObject {
    Q_OBJECT

    std::unique_ptr<Workplace> m_work;
    QStringList messages() const { return m_work->seams.prompter.texts(); }

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    // Out and back again: the fifteen columns travel unchanged, the row's own columns say
    // who, when and by whom, and the copy comes back in stock.
    void moveRoundTrip_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("own");
        QTest::newRow("lost") << Lost << "qkinfo_diushi"
                              << "select 读者编号||'|'||读者姓名||'|'||挂失日期||'|'||操作员 from qkinfo_diushi";
        QTest::newRow("weeded") << Weed << "qkinfo_tijiu" << "select 剔旧日期||'|'||操作员 from qkinfo_tijiu";
    }
    void moveRoundTrip()
    {
        QFETCH(Window, window);
        QFETCH(QString, table);
        QFETCH(QString, own);
        fullPeriodical("KA1");
        insertPeriodical("KA2", "知音");
        const QString before = copied("qikaninfo", "KA1");
        auto w = moveWindow(window);
        setText(*w, "m_editStockKey", "O'K");
        click(*w, "m_btnQueryBooks");
        QCOMPARE(listColumn(list(*w, "m_listStock")), QStringList{"KA1"});
        QCOMPARE(list(*w, "m_listStock")->GetRowTexts(0), (QStringList{"KA1", "G63", "O'K 读者", "12.8", "2017-03-02"}));
        list(*w, "m_listStock")->SetCheck(0, true);
        click(*w, "m_btnMoveOut");
        QVERIFY(messages().isEmpty());
        QCOMPARE(copied(table, "KA1"), before);
        QCOMPARE(cell(own), window == Lost ? "9999|system|2017-04-11|超级用户" : "2017-04-11|超级用户");
        QCOMPARE(cell("select count(*) from qikaninfo where 期刊编号='KA1'"), "0");
        QCOMPARE(list(*w, "m_listStock")->GetItemCount(), 0);
        QCOMPARE(listColumn(list(*w, "m_listOut")), QStringList{"KA1"});

        selectRow(list(*w, "m_listOut"), 0);
        click(*w, "m_btnRestore");
        QVERIFY(messages().isEmpty());
        QCOMPARE(copied("qikaninfo", "KA1"), before);
        QCOMPARE(cell("select 是否借出 from qikaninfo where 期刊编号='KA1'"), "0");
        QCOMPARE(cell("select count(*) from " + table), "0");
        QCOMPARE(listColumn(list(*w, "m_listStock")), (QStringList{"KA2", "KA1"}));
    }

    // A copy out stays in stock, is named, and nothing else moves with it.
    void copiesOutStay_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("message");
        const QString lost = "以下期刊已借出，不能报失：\nKA1\n读者丢失的期刊请用期刊挂失处理。";
        QTest::newRow("lost, flagged lent") << Lost << -1 << lost;
        QTest::newRow("lost, a loan row only") << Lost << 0 << lost;
        QTest::newRow("weeded, flagged lent") << Weed << -1 << "以下期刊已借出，不能剔旧：\nKA1";
    }
    void copiesOutStay()
    {
        QFETCH(Window, window);
        QFETCH(int, flag);
        QFETCH(QString, message);
        insertPeriodical("KA1", "读者", "12.80", flag);
        insertPeriodical("KA2", "读者");
        insertLoanRow("KA1", "R1", "qkjieyueinfo");
        auto w = moveWindow(window);
        click(*w, "m_btnQueryBooks");
        list(*w, "m_listStock")->SetCheck(0, true);
        list(*w, "m_listStock")->SetCheck(1, true);
        click(*w, "m_btnMoveOut");
        QCOMPARE(messages(), QStringList{message});
        QCOMPARE(listColumn(list(*w, "m_listStock")), QStringList{"KA1"});
        QCOMPARE(tableRows("qkjieyueinfo").size(), 1);
        QCOMPARE(listColumn(list(*w, "m_listOut")), QStringList{"KA2"});
    }

    void failedMoveChangesNothing_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("restoring");
        QTest::addColumn<QString>("message");
        QTest::newRow("lost: insert") << Lost << "before insert on qkinfo_diushi" << false << "操作失败";
        QTest::newRow("weeded: delete") << Weed << "before delete on qikaninfo" << false << "操作失败";
        QTest::newRow("restore: insert") << Lost << "before insert on qikaninfo" << true << "期刊恢复失败!\n";
        QTest::newRow("restore: delete") << Weed << "before delete on qkinfo_tijiu" << true << "期刊恢复失败!\n";
    }
    void failedMoveChangesNothing()
    {
        QFETCH(Window, window);
        QFETCH(QString, trigger);
        QFETCH(bool, restoring);
        QFETCH(QString, message);
        insertPeriodical("KA1", "读者");
        auto w = moveWindow(window);
        click(*w, "m_btnQueryBooks");
        list(*w, "m_listStock")->SetCheck(0, true);
        if (restoring) {
            click(*w, "m_btnMoveOut");
            selectRow(list(*w, "m_listOut"), 0);
        }
        failOn(trigger);
        const QStringList before = periodicalSnapshot();
        click(*w, restoring ? "m_btnRestore" : "m_btnMoveOut");
        QCOMPARE(messages(), QStringList{message});
        QCOMPARE(periodicalSnapshot(), before);
        QCOMPARE(theApp().m_ado.TransDepth(), 0);
    }

    // A number entered again meanwhile keeps its place; the lost row stays to be seen.
    void restoreOfANumberInStockRefused_data()
    {
        QTest::addColumn<bool>("unloss");
        QTest::addColumn<QString>("message");
        QTest::newRow("loss window") << false << "期刊恢复失败!\n编号已在库中：KA1";
        QTest::newRow("loss-cancel window") << true << "期刊解挂失败!\n编号已在库中：KA1";
    }
    void restoreOfANumberInStockRefused()
    {
        QFETCH(bool, unloss);
        QFETCH(QString, message);
        insertPeriodical("KA1", "读者");
        CPeriodicalLostDlg lost;
        click(lost, "m_btnQueryBooks");
        list(lost, "m_listStock")->SetCheck(0, true);
        click(lost, "m_btnMoveOut");
        insertPeriodical("KA1", "读者 新");
        const QStringList before = periodicalSnapshot();
        if (unloss) {
            CPeriodicalUnlossDlg w;
            click(w, "m_btnQuery");
            selectRow(list(w, "m_list"), 0);
            click(w, "m_btnUnloss");
        } else {
            selectRow(list(lost, "m_listOut"), 0);
            click(lost, "m_btnRestore");
        }
        QCOMPARE(messages(), QStringList{message});
        QCOMPARE(periodicalSnapshot(), before);
    }

    // Library losses and readers' losses alike; the copy back in stock, the list whole again.
    void unlossListsAndRestores()
    {
        insertPeriodical("KA1", "读者");
        insertPeriodical("KA2", "知音");
        CPeriodicalLostDlg lost;
        click(lost, "m_btnQueryBooks");
        list(lost, "m_listStock")->SetCheck(0, true);
        list(lost, "m_listStock")->SetCheck(1, true);
        click(lost, "m_btnMoveOut");
        CPeriodicalUnlossDlg w;
        setText(w, "m_editKey", "知音");
        click(w, "m_btnQuery");
        QCOMPARE(list(w, "m_list")->GetRowTexts(0),
                 (QStringList{"KA2", "知音", "9999", "system", "2017-04-11", "超级用户"}));
        selectRow(list(w, "m_list"), 0);
        click(w, "m_btnUnloss");
        QCOMPARE(messages(), QStringList{"期刊解挂成功!\n"});
        QCOMPARE(listColumn(list(w, "m_list")), QStringList{"KA1"});
        QCOMPARE(cell("select 期刊编号 || 是否借出 from qikaninfo"), "KA20");
    }

    void cancelSearch_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("(全部) is a text like any other") << "(全部)" << QStringList();
        QTest::newRow("number and barcode only whole, the rest contained") << "KA" << QStringList{"KA", "QK1", "QK3"};
        QTest::newRow("a barcode") << "6901" << QStringList{"QK2"};
        QTest::newRow("nothing") << "无" << QStringList();
    }
    void cancelSearch()
    {
        QFETCH(QString, keyword);
        QFETCH(QStringList, found);
        insertPeriodical("KA", "读者");
        insertPeriodical("QK1", "KA周刊");
        insertPeriodical("QK2", "知音", "12.80", -1, "6901");
        insertPeriodical("QK3", "故事会");
        QVERIFY(theApp().m_ado.ExecuteSql("update qikaninfo set 邮发代号='KA-1' where 期刊编号='QK3'"));
        CPeriodicalCancelDlg w;
        setText(w, "m_editKeyword", keyword);
        click(w, "m_btnFind");
        QCOMPARE(listColumn(list(w, "m_list"), 1), found);
        QCOMPARE(messages(), found.isEmpty() ? QStringList{"期刊库里没有找到相关数据!"} : QStringList());
        if (found.contains("QK2"))
            QCOMPARE(list(w, "m_list")->GetItemText(found.indexOf("QK2"), 15), "-1");
    }

    // The search edit starts empty and keeps what is typed when the focus comes and goes;
    // an empty search is refused.
    void cancelSearchEdit()
    {
        insertPeriodical("KA", "读者");
        CPeriodicalCancelDlg w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* edit = child<QLineEdit>(&w, "m_editKeyword");
        QCOMPARE(edit->text(), QString());
        click(w, "m_btnFind");
        QCOMPARE(messages(), QStringList{"请输入用查询信息！"});
        QTest::keyClicks(edit, "KA");
        list(w, "m_list")->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), "KA");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(listColumn(list(w, "m_list"), 1), QStringList{"KA"});
        edit->clear();
        list(w, "m_list")->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), QString());
    }

    // Selected and ticked rows go once each, a lent one stays and is named; the list then
    // shows the copies whose title contains the text or whose number is the text.
    void cancelMarkedRows()
    {
        insertPeriodical("KA1", "读者");
        insertPeriodical("KA2", "读者", "12.80", -1);
        insertLoanRow("KA2", "R1", "qkjieyueinfo");
        insertPeriodical("KA3", "读者");
        insertPeriodical("KA4", "读者");
        QVERIFY(theApp().m_ado.ExecuteSql("update qikaninfo set 出版社名='读者出版社 集团'"));
        insertPeriodical("KA5", "知音");
        QVERIFY(theApp().m_ado.ExecuteSql("update qikaninfo set 出版社名='读者' where 期刊编号='KA5'"));
        CPeriodicalCancelDlg w;
        setText(w, "m_editKeyword", "读者");
        click(w, "m_btnFind");
        QCOMPARE(listColumn(list(w, "m_list"), 1), (QStringList{"KA1", "KA2", "KA3", "KA4", "KA5"}));
        list(w, "m_list")->SetSelected(0, true);
        list(w, "m_list")->SetCheck(0, true);
        list(w, "m_list")->SetCheck(1, true);
        list(w, "m_list")->SetCheck(2, true);
        click(w, "m_btnCancelStock");
        QCOMPARE(messages(), QStringList{"以下期刊已借出，不能注销：\nKA2"});
        QCOMPARE(listColumn(list(w, "m_list"), 1), (QStringList{"KA2", "KA4"}));
        QCOMPARE(cell("select group_concat(期刊编号) from qikaninfo"), "KA2,KA4,KA5");
    }

    // A delete that fails is not told: the list searched again shows the copies still there.
    void failedCancelIsNotTold()
    {
        insertPeriodical("KA1", "读者");
        insertPeriodical("KA2", "读者");
        CPeriodicalCancelDlg w;
        setText(w, "m_editKeyword", "读者");
        click(w, "m_btnFind");
        list(w, "m_list")->SetCheck(1, true);
        failOn("before delete on qikaninfo");
        click(w, "m_btnCancelStock");
        QVERIFY(messages().isEmpty());
        QCOMPARE(listColumn(list(w, "m_list"), 1), (QStringList{"KA1", "KA2"}));
    }

    // The single-row delete that no control carries: asked first, OK the default; a copy on
    // loan stays and is named, a delete that fails is not told; the search then runs again.
    void deleteSelected_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("left");
        const QString question = "确实删除该信息吗？";
        const QStringList all{"KA1", "KA2", "KA'3"};
        QTest::newRow("no row selected") << -1 << QMessageBox::Ok << "" << QStringList{"没有选定记录!\n"} << all;
        QTest::newRow("not confirmed") << 0 << QMessageBox::Cancel << "" << QStringList{question} << all;
        QTest::newRow("confirmed") << 0 << QMessageBox::Ok << "" << QStringList{question} << QStringList{"KA2", "KA'3"};
        QTest::newRow("a quote in the number")
            << 2 << QMessageBox::Ok << "" << QStringList{question} << QStringList{"KA1", "KA2"};
        QTest::newRow("on loan") << 1 << QMessageBox::Ok << "" << QStringList{question, "以下期刊已借出，不能注销：\nKA2"}
                                 << all;
        QTest::newRow("the delete fails") << 0 << QMessageBox::Ok << "before delete on qikaninfo" << QStringList{question}
                                          << all;
    }
    void deleteSelected()
    {
        QFETCH(int, row);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, failing);
        QFETCH(QStringList, said);
        QFETCH(QStringList, left);
        insertPeriodical("KA1", "读者");
        insertPeriodical("KA2", "读者", "12.80", -1);
        insertLoanRow("KA2", "R1", "qkjieyueinfo");
        insertPeriodical("KA'3", "读者");
        CPeriodicalCancelDlg w;
        setText(w, "m_editKeyword", "读者");
        click(w, "m_btnFind");
        if (!failing.isEmpty())
            failOn(failing);
        if (row >= 0)
            selectRow(list(w, "m_list"), row);
        m_work->seams.prompter.answers.enqueue(answer);
        w.OnDeleteSelected();
        QCOMPARE(messages(), said);
        if (row >= 0) {
            QCOMPARE(m_work->seams.prompter.messages[0].caption, "删除记录");
            QCOMPARE(m_work->seams.prompter.messages[0].defaultButton, QMessageBox::NoButton);
        }
        QCOMPARE(listColumn(list(w, "m_list"), 1), left);
        QCOMPARE(cell("select group_concat(期刊编号) from (select 期刊编号 from qikaninfo order by rowid)"),
                 left.join(','));
    }

    // Before any stock query nothing is chosen and there is no query to repeat: refilling the
    // stock list fails as an unreadable list does, and the lower list shows every row.
    void moveBeforeAnyStockQuery_data() { moveRoundTrip_data(); }
    void moveBeforeAnyStockQuery()
    {
        QFETCH(Window, window);
        insertPeriodical("KA1", "读者");
        insertPeriodical("KA2", "知音");
        auto first = moveWindow(window);
        click(*first, "m_btnQueryBooks");
        selectRow(list(*first, "m_listStock"), 1);
        click(*first, "m_btnMoveOut");
        auto w = moveWindow(window);
        click(*w, "m_btnMoveOut");
        QCOMPARE(messages(), QStringList{"操作失败"});
        QCOMPARE(list(*w, "m_listStock")->GetItemCount(), 0);
        QCOMPARE(listColumn(list(*w, "m_listOut")), QStringList{"KA2"});
        QCOMPARE(cell("select group_concat(期刊编号) from qikaninfo"), "KA1");
    }

    // The loss goes to the reader whose loans are listed, whatever the edit holds now, and
    // the edit shows him again. The copy stays in stock as it was, flagged lent.
    void readerLoss()
    {
        insertReader("R1", "张三", "5");
        insertReader("R2", "李四", "5");
        fullPeriodical("KA1");
        const QString before = copied("qikaninfo", "KA1");
        LendingService desk(theApp().m_ado, "管理员", LoanTables::periodicals());
        BookCopy copy;
        copy.bookNumber = "KA1";
        copy.title = "O'K 读者";
        copy.price = "12.8";
        QCOMPARE(desk.lend(*desk.readerByNumber("R1"), copy), LendingService::Outcome::Done);
        insertLoanRow("B1", "R1");
        const int history = tableRows("qkjieyuelishiinfo").size();
        CPeriodicalLoanLossDlg w;
        setText(w, "m_editReader", "R1");
        click(w, "m_btnFind");
        QCOMPARE(list(w, "m_list")->GetRowTexts(0),
                 (QStringList{"KA1", "O'K 读者", "R1", "张三", "2017-04-11", "2017-05-11", "12", "管理员"}));
        setText(w, "m_editReader", "R2");
        selectRow(list(w, "m_list"), 0);
        click(w, "m_btnReportLoss");
        QVERIFY(messages().isEmpty());
        QCOMPARE(list(w, "m_list")->GetItemCount(), 0);
        QCOMPARE(child<QLineEdit>(&w, "m_editReader")->text(), "R1");
        QCOMPARE(tableRows("diushiqikaninfo"), QStringList{"KA1|O'K 读者|R1|张三|2017-04-11|12|管理员"});
        QCOMPARE(copied("qikaninfo", "KA1"), before);
        QCOMPARE(cell("select 是否借出 from qikaninfo"), "-1");
        QCOMPARE(cell("select count(*) from qkinfo_diushi"), "0");
        QCOMPARE(cell("select count(*) from qkjieyueinfo"), "0");
        QCOMPARE(cell("select 未还书数 from readerinfo where 编号='R1'"), "1");
        QCOMPARE(cell("select 未还书数 from readerinfo where 编号='R2'"), "");
        QCOMPARE(tableRows("qkjieyuelishiinfo").size(), history);
    }

    // The copy cancelled meanwhile: the loss is recorded and the loan ends all the same.
    void readerLossOfACopyGone()
    {
        lendKA1ToR1();
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=1"));
        CPeriodicalLoanLossDlg w;
        chooseFirstLoanOfR1(w);
        QVERIFY(theApp().m_ado.ExecuteSql("delete from qikaninfo"));
        click(w, "m_btnReportLoss");
        QVERIFY(messages().isEmpty());
        QCOMPARE(list(w, "m_list")->GetItemCount(), 0);
        QCOMPARE(cell("select 期刊编号||'|'||读者编号||'|'||挂失日期 from diushiqikaninfo"), "KA1|R1|2017-04-11");
        QCOMPARE(cell("select count(*) from qkjieyueinfo"), "0");
        QCOMPARE(cell("select count(*) from qkinfo_diushi"), "0");
        QCOMPARE(cell("select 未还书数 from readerinfo"), "0");
    }

    // A copy a reader lost stays flagged lent without a loan; the library then reports it
    // lost, weeds it out or cancels it, as any copy in stock.
    void copyLostByAReaderLeavesStock_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("reported lost") << 0;
        QTest::newRow("weeded out") << 1;
        QTest::newRow("cancelled") << 2;
    }
    void copyLostByAReaderLeavesStock()
    {
        QFETCH(int, how);
        lendKA1ToR1();
        CPeriodicalLoanLossDlg loss;
        chooseFirstLoanOfR1(loss);
        click(loss, "m_btnReportLoss");
        QCOMPARE(cell("select 是否借出 from qikaninfo"), "-1");
        if (how == 2) {
            CPeriodicalCancelDlg w;
            setText(w, "m_editKeyword", "KA1");
            click(w, "m_btnFind");
            list(w, "m_list")->SetCheck(0, true);
            click(w, "m_btnCancelStock");
        } else {
            auto w = moveWindow(how == 0 ? Lost : Weed);
            click(*w, "m_btnQueryBooks");
            list(*w, "m_listStock")->SetCheck(0, true);
            click(*w, "m_btnMoveOut");
            QCOMPARE(listColumn(list(*w, "m_listOut")), QStringList{"KA1"});
        }
        QVERIFY(messages().isEmpty());
        QCOMPARE(cell("select count(*) from qikaninfo"), "0");
    }

    // The window opens in the reader edit: a number typed at once and Enter list his loans.
    void readerLossOpensInTheReaderEdit()
    {
        lendKA1ToR1();
        CPeriodicalLoanLossDlg w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&w, "m_editReader"));
        QTest::keyClicks(QApplication::focusWidget(), "R1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(messages().isEmpty());
        QCOMPARE(listColumn(list(w, "m_list")), QStringList{"KA1"});
    }

    // Enter presses 查找, the default button, from anywhere but another button, which Enter
    // presses instead.
    void readerLossEnter_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("lost");
        QTest::newRow("reader edit") << "m_editReader" << false;
        QTest::newRow("loans list") << "m_list" << false;
        QTest::newRow("loss button") << "m_btnReportLoss" << true;
    }
    void readerLossEnter()
    {
        QFETCH(QString, focus);
        QFETCH(bool, lost);
        lendKA1ToR1();
        CPeriodicalLoanLossDlg w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        setText(w, "m_editReader", "R1");
        if (lost) {
            click(w, "m_btnFind");
            selectRow(list(w, "m_list"), 0);
        }
        auto* widget = child<QWidget>(&w, focus);
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        QTest::keyClick(widget, Qt::Key_Return);
        QVERIFY(messages().isEmpty());
        QCOMPARE(list(w, "m_list")->GetItemCount(), lost ? 0 : 1);
        QCOMPARE(tableRows("diushiqikaninfo").size(), lost ? 1 : 0);
    }

    void readerLossRefused_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("message");
        QTest::newRow("reader deleted") << "delete from readerinfo" << "" << "操作失败!";
        QTest::newRow("loan returned") << "delete from qkjieyueinfo" << "" << "无此记录！";
        QTest::newRow("insert of the loss record fails") << "" << "before insert on diushiqikaninfo" << "操作失败!";
        QTest::newRow("delete of the loan fails") << "" << "before delete on qkjieyueinfo" << "操作失败!";
        QTest::newRow("recount fails") << "" << "before update on readerinfo" << "操作失败!";
    }
    void readerLossRefused()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, failing);
        QFETCH(QString, message);
        lendKA1ToR1();
        CPeriodicalLoanLossDlg w;
        chooseFirstLoanOfR1(w);
        if (failing.isEmpty())
            QVERIFY(theApp().m_ado.ExecuteSql(meanwhile));
        else
            failOn(failing);
        const QStringList before = periodicalSnapshot();
        click(w, "m_btnReportLoss");
        QCOMPARE(messages(), QStringList{message});
        QCOMPARE(periodicalSnapshot(), before);
        QCOMPARE(theApp().m_ado.TransDepth(), 0);
    }
};

QTEST_MAIN(TestPeriodicalStock)
#include "test_periodicalstock.moc"
