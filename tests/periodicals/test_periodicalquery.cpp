#include "PeriodicalFixture.h"

#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "sheets/ExcelFile.h"
#include "periodicals/PeriodicalMenuDlg.h"
#include "periodicals/PeriodicalQueryDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {
QWidget* page(QDialog& w, int tab) { return child<QTabWidget>(&w, "m_tab")->widget(tab); }
CReportListCtrl* list(QWidget* p) { return child<CReportListCtrl>(p, "m_list"); }

void loan(const QString& number, const QString& title, const QString& reader, const QString& name)
{
    QVERIFY(theApp().m_ado.ExecuteSql("insert into qkjieyueinfo (期刊编号, 期刊名称, 读者编号, 读者姓名, 读者类别, 借书日期, "
                                      "应还时间, 图书价格, 操作员) values (?, ?, ?, ?, '学生', '2017-04-01', "
                                      "'2017-05-01', 12, '超级用户')",
                                      {number, title, reader, name}));
}

void loss(const QString& number, const QString& title, const QString& reader, const QString& name)
{
    QVERIFY(theApp().m_ado.ExecuteSql("insert into qkinfo_diushi (期刊编号, 期刊名称, 期刊单价, 读者编号, 读者姓名, 挂失日期, "
                                      "操作员) values (?, ?, 12.8, ?, ?, '2017-04-11', '超级用户')",
                                      {number, title, reader, name}));
}
}

// The periodical query window: its four tabs, their searches, the summaries and exports.
class TestPeriodicalQuery : public QObject {
    Q_OBJECT

    std::unique_ptr<Workplace> m_work;
    std::unique_ptr<CPeriodicalQueryDlg> m_dlg;
    QStringList messages() const { return m_work->seams.prompter.texts(); }

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
        m_dlg = std::make_unique<CPeriodicalQueryDlg>();
        m_dlg->show();
    }
    void cleanup()
    {
        m_dlg.reset();
        m_work.reset();
    }

    void tabsKeepTheirResults()
    {
        auto* tabs = child<QTabWidget>(m_dlg.get(), "m_tab");
        for (int i = 0; i < 60; ++i)
            insertPeriodical(QString("KA%1").arg(i, 2, 10, QLatin1Char('0')), "读者");
        searchFor(page(*m_dlg, 0), "(全部)");
        child<QPushButton>(page(*m_dlg, 0), "m_btnNext")->click();
        QCOMPARE(listColumn(list(page(*m_dlg, 0))).size(), 10);
        tabs->setCurrentIndex(2);
        child<QRadioButton>(page(*m_dlg, 2), "m_radioTotal")->click();
        tabs->setCurrentIndex(0);
        QCOMPARE(list(page(*m_dlg, 0))->GetItemText(0, 1), "KA50");
        QCOMPARE(list(page(*m_dlg, 0))->GetItemText(0, 15), "未借");
        QCOMPARE(listRows(list(page(*m_dlg, 2))), Rows{QStringList({"期刊总量", "60", "768"})});
        QVERIFY(messages().isEmpty());
    }

    // Both exports write every row whatever the list shows; flags as stored.
    void exports_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<Rows>("written");
        QTest::newRow("stock")
            << 0 << "期刊信息"
            << Rows{{"条形码", "期刊编号", "中图分类", "分类名称", "复本号", "期刊名称", "邮发代号", "出版社名", "第几期",
                     "总第几期", "出版时间", "国内刊号", "期刊单价", "存放位置", "入库时间", "是否在馆"},
                    {"", "KA1", "G63", "G文化、科学、教育、体育", "", "读者", "", "读者出版社", "2017年第3期", "", "", "",
                     "12.8", "1号书架", "2017-03-01", "-1"},
                    {"", "KA2", "G63", "G文化、科学、教育、体育", "", "知音", "", "读者出版社", "2017年第3期", "", "", "",
                     "12.8", "1号书架", "2017-03-01", "0"}};
        QTest::newRow("loans")
            << 1 << "期刊借阅信息"
            << Rows{{"期刊编号", "期刊名称", "读者编号", "读者姓名", "借阅日期", "应还日期", "操作员"},
                    {"KA1", "读者", "R1", "张三", "2017-04-01", "2017-05-01", "超级用户"},
                    {"KA3", "故事会", "R2", "", "2017-04-01", "2017-05-01", "超级用户"}};
    }
    void exports()
    {
        QFETCH(int, tab);
        QFETCH(QString, sheet);
        QFETCH(Rows, written);
        insertPeriodical("KA1", "读者", "12.80", -1);
        insertPeriodical("KA2", "知音");
        loan("KA1", "读者", "R1", "张三");
        loan("KA3", "故事会", "R2", QString());
        searchFor(page(*m_dlg, tab), "知音");
        const QString path = m_work->folder.path() + "/out.xls";
        m_work->seams.chooser.answers.enqueue(path);
        child<QPushButton>(page(*m_dlg, tab), "m_btnExport")->click();
        QCOMPARE(messages().last(), "导出文件成功!");
        QCOMPARE(m_work->seams.chooser.proposals.value(0).section('/', -1), sheet + ".xls");
        QCOMPARE(fileRows(path, sheet), written);
    }

    // A search without hits says so and leaves the list, its pages and its paging as they were.
    void searchWithoutHitsKeepsTheRows()
    {
        for (int i = 0; i < 60; ++i)
            insertPeriodical(QString("KA%1").arg(i, 2, 10, QLatin1Char('0')), "读者");
        QWidget* search = page(*m_dlg, 0);
        searchFor(search, "(全部)");
        child<QPushButton>(search, "m_btnNext")->click();
        searchFor(search, "知音");
        QCOMPARE(messages(), QStringList{"期刊库没有数据!"});
        QCOMPARE(listColumn(list(search), 1).value(0), "KA50");
        QCOMPARE(child<QLabel>(search, "m_staticPageInfo")->text(), "共计：2页  60条记录");
        QCOMPARE(child<QComboBox>(search, "m_cmbPage")->currentText(), "2");
        child<QPushButton>(search, "m_btnPrev")->click();
        QCOMPARE(listColumn(list(search), 1).size(), 50);
    }

    void failedExportSaysSo()
    {
        insertPeriodical("KA1", "读者");
        m_work->seams.chooser.answers.enqueue(m_work->folder.path() + "/no such folder/out.xls");
        child<QPushButton>(page(*m_dlg, 0), "m_btnExport")->click();
        QCOMPARE(messages().size(), 1);
        QVERIFY2(messages().front().startsWith(QStringLiteral("请操作失败!\n不能在文件夹中写文件")), qPrintable(messages().front()));
    }

    void loansSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("(全部) lists every loan") << "(全部)" << QStringList{"KA1", "KA2", "KA3"} << QStringList();
        QTest::newRow("periodical number whole") << "KA1" << QStringList{"KA1"} << QStringList();
        QTest::newRow("reader number whole") << "R2" << QStringList{"KA2"} << QStringList();
        QTest::newRow("part of a title or a name") << "张" << QStringList{"KA1", "KA3"} << QStringList();
        QTest::newRow("part of a number is nothing") << "KA" << QStringList() << QStringList();
        QTest::newRow("emptied edit refused") << "" << QStringList() << QStringList{"请输入用查询信息！"};
    }
    void loansSearch()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        QFETCH(QStringList, said);
        loan("KA1", "读者", "R1", "张三");
        loan("KA2", "知音", "R2", "李四");
        loan("KA3", "张家界", "R3", NULL);
        searchFor(page(*m_dlg, 1), text);
        QCOMPARE(listColumn(list(page(*m_dlg, 1))), found);
        QCOMPARE(messages(), said);
    }

    void lossesSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("library losses by 9999") << "9999" << QStringList{"KA1", "KA3"};
        QTest::newRow("a reader's") << "R1" << QStringList{"KA2"};
        QTest::newRow("part of a title") << "文摘" << QStringList{"KA3"};
        QTest::newRow("(全部) is searched as typed") << "(全部)" << QStringList{};
        QTest::newRow("an empty search lists every loss") << "" << QStringList{"KA1", "KA2", "KA3"};
    }
    void lossesSearch()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        loss("KA1", "读者", "9999", "system");
        loss("KA2", "知音", "R1", "张三");
        loss("KA3", "青年文摘", "9999", "system");
        searchFor(page(*m_dlg, 3), text);
        QVERIFY(messages().isEmpty());
        QCOMPARE(listColumn(list(page(*m_dlg, 3))), found);
        // Its 确定 carries no icon.
        QVERIFY(child<QPushButton>(page(*m_dlg, 3), "m_btnQuery")->icon().isNull());
        if (found.isEmpty())
            return;
        QCOMPARE(list(page(*m_dlg, 3))->GetRowTexts(0).mid(2), (QStringList{found.first() == "KA2" ? "R1" : "9999",
                                                                         found.first() == "KA2" ? "张三" : "system",
                                                                         "2017-04-11", "12.8", "超级用户"}));
    }

    // No search edit of the window touches its text on the focus.
    void searchEditsKeepTheirText_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("shown");
        QTest::newRow("stock") << 0 << "(全部)";
        QTest::newRow("loans") << 1 << "(全部)";
        QTest::newRow("losses") << 3 << "";
    }
    void searchEditsKeepTheirText()
    {
        QFETCH(int, tab);
        QFETCH(QString, shown);
        child<QTabWidget>(m_dlg.get(), "m_tab")->setCurrentIndex(tab);
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        auto* edit = child<QLineEdit>(page(*m_dlg, tab), "m_editSearch");
        QCOMPARE(edit->text(), shown);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), shown);
        edit->clear();
        list(page(*m_dlg, tab))->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), QString());
    }

    // Enter in the stock page's edit searches nothing and moves on; the loans and losses
    // pages' 确定 is their default button, so Enter there searches.
    void enterInTheSearchEdits_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("stock") << 0 << QStringList();
        QTest::newRow("loans") << 1 << QStringList{"KA1"};
        QTest::newRow("losses") << 3 << QStringList{"KA1"};
    }
    void enterInTheSearchEdits()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, found);
        insertPeriodical("KA1", "读者");
        loan("KA1", "读者", "R1", "张三");
        loss("KA1", "读者", "9999", "system");
        child<QTabWidget>(m_dlg.get(), "m_tab")->setCurrentIndex(tab);
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        auto* edit = child<QLineEdit>(page(*m_dlg, tab), "m_editSearch");
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(listColumn(list(page(*m_dlg, tab))), found);
        QVERIFY(messages().isEmpty());
        QCOMPARE(edit->hasFocus(), !found.isEmpty());
        QVERIFY(m_dlg->isVisible());
    }

    // Copies without a price are not counted; a copy without a class counts under an empty
    // one; sums print whole values without decimals.
    void summaries_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<Rows>("shown");
        QTest::newRow("by class")
            << "m_radioClass" << "中图分类" << Rows{{"", "1", "3.3"}, {"G63", "2", "16"}, {"I247", "1", "9.9"}};
        QTest::newRow("by publisher") << "m_radioPublisher" << "出版处" << Rows{{"读者出版社", "4", "29.2"}};
        QTest::newRow("in total") << "m_radioTotal" << "期刊总计" << Rows{{"期刊总量", "4", "29.2"}};
    }
    void summaries()
    {
        QFETCH(QString, radio);
        QFETCH(QString, heading);
        QFETCH(Rows, shown);
        insertPeriodical("KA1", "读者", "12.7");
        insertPeriodical("KA2", "知音", "3.3");
        insertPeriodical("KA3", "故事会", "9.9");
        insertPeriodical("KA4", "青年文摘", "3.3");
        insertPeriodical("KA5", "无价", "");
        QVERIFY(theApp().m_ado.ExecuteSql("update qikaninfo set 中图分类=NULL where 期刊编号='KA4'"));
        QVERIFY(theApp().m_ado.ExecuteSql("update qikaninfo set 中图分类='I247' where 期刊编号='KA3'"));
        QWidget* summary = page(*m_dlg, 2);
        child<QRadioButton>(summary, qPrintable(radio))->click();
        QCOMPARE(list(summary)->headerItem()->text(0), heading);
        QCOMPARE(list(summary)->headerItem()->text(1), "期刊数量(册)");
        QCOMPARE(listRows(list(summary)), shown);
        QVERIFY(messages().isEmpty());
    }

    // A grouping whose query fails leaves the last grouping's heading over its rows.
    void failedSummary()
    {
        insertPeriodical("KA1", "读者");
        QWidget* summary = page(*m_dlg, 2);
        child<QRadioButton>(summary, "m_radioClass")->click();
        QVERIFY(theApp().m_ado.ExecuteSql("alter table qikaninfo rename to qikaninfo_gone"));
        child<QRadioButton>(summary, "m_radioPublisher")->click();
        QCOMPARE(messages(), QStringList{"操作失败！"});
        QCOMPARE(list(summary)->headerItem()->text(0), "中图分类");
        QCOMPARE(listRows(list(summary)), Rows{QStringList({"G63", "1", "12.8"})});
    }

    void emptyStock()
    {
        QWidget* summary = page(*m_dlg, 2);
        child<QRadioButton>(summary, "m_radioClassName")->click();
        QCOMPARE(listRows(list(summary)), Rows());
        child<QRadioButton>(summary, "m_radioTotal")->click();
        QCOMPARE(listRows(list(summary)), Rows{QStringList({"期刊总量", "0", ""})});
    }

    // A heading click after the swap sorts the new first column; the list still remembers
    // its last sort by the first column, so the first click turns that order round.
    void sortingAfterTheSwap()
    {
        insertPeriodical("KA1", "读者", "1");
        insertPeriodical("KA2", "读者", "2");
        QVERIFY(theApp().m_ado.ExecuteSql("update qikaninfo set 入库时间='2017-05-01' where 期刊编号='KA1'"));
        QWidget* summary = page(*m_dlg, 2);
        auto* l = list(summary);
        child<QRadioButton>(summary, "m_radioClass")->click();
        l->OnColumnClick(0);
        child<QRadioButton>(summary, "m_radioEntryDate")->click();
        QCOMPARE(listColumn(list(summary)), (QStringList{"2017-03-01", "2017-05-01"}));
        l->OnColumnClick(0);
        QCOMPARE(listColumn(list(summary)), (QStringList{"2017-05-01", "2017-03-01"}));
        l->OnColumnClick(0);
        QCOMPARE(listColumn(list(summary)), (QStringList{"2017-03-01", "2017-05-01"}));
    }

    // The menu no command opens runs each of its windows over itself.
    void menuRunsItsWindows_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("entry") << "m_btnAdd" << "CPeriodicalAddDlg";
        QTest::newRow("lending") << "m_btnLend" << "CPeriodicalLendDlg";
        QTest::newRow("cancel") << "m_btnCancel" << "CPeriodicalCancelDlg";
        QTest::newRow("query") << "m_btnQuery" << "CPeriodicalQueryDlg";
    }
    void menuRunsItsWindows()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        CPeriodicalMenuDlg menu;
        menu.show();
        QString opened;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            opened = modal->metaObject()->className();
            QCOMPARE(modal->parentWidget(), &menu);
            modal->close();
        });
        child<QPushButton>(&menu, qPrintable(button))->click();
        QCOMPARE(opened, window);
    }

    // 期刊借阅查询 and 期刊信息汇总 can be pressed and run nothing; 确定 and 取消 close the menu.
    void menuButtonsWithoutWindows()
    {
        CPeriodicalMenuDlg menu;
        menu.show();
        for (const char* name : {"m_btnLendQuery", "m_btnSummary"}) {
            QWidget* opened = nullptr;
            QTimer::singleShot(0, [&] {
                if ((opened = QApplication::activeModalWidget()))
                    opened->close();
            });
            auto* button = child<QPushButton>(&menu, name);
            QVERIFY(button->isEnabled());
            button->click();
            QTest::qWait(0);
            QVERIFY(!opened);
            QVERIFY(menu.isVisible());
        }
        child<QPushButton>(&menu, "m_btnOK")->click();
        QCOMPARE(menu.result(), int(QDialog::Accepted));
        menu.show();
        child<QPushButton>(&menu, "m_btnClose")->click();
        QCOMPARE(menu.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestPeriodicalQuery)
#include "test_periodicalquery.moc"
