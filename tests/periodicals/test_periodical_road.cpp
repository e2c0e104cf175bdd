#include "PeriodicalFixture.h"

#include "circulation/LendingService.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "periodicals/PeriodicalAddDlg.h"
#include "periodicals/PeriodicalLendDlg.h"
#include "periodicals/PeriodicalLoanLossDlg.h"
#include "periodicals/PeriodicalLostDlg.h"
#include "periodicals/PeriodicalUnlossDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
void click(QWidget& w, const char* name) { child<QPushButton>(&w, name)->click(); }
void setText(QWidget& w, const char* name, const QString& text) { child<QLineEdit>(&w, name)->setText(text); }
void selectFirst(QWidget& w, const char* listName)
{
    auto* list = child<CReportListCtrl>(&w, listName);
    list->clearSelection();
    list->SetSelected(0, true);
}

// Rows without their ID: a restored copy gets a new one.
QStringList withoutIds(const QString& table)
{
    QStringList rows;
    for (const QString& row : tableRows(table))
        rows << row.section('|', 1);
    return rows;
}

// The six tables a periodical's way through the library touches.
struct Tables {
    QStringList stock, loans, history, readers, readerLosses, lost;
    bool operator==(const Tables&) const = default;
};

Tables now()
{
    return {withoutIds("qikaninfo"), withoutIds("qkjieyueinfo"), tableRows("qkjieyuelishiinfo"), tableRows("readerinfo"),
            tableRows("diushiqikaninfo"), withoutIds("qkinfo_diushi")};
}

char* toString(const Tables& t)
{
    return QTest::toString(QStringList{t.stock.join('\n'), t.loans.join('\n'), t.history.join('\n'),
                                       t.readers.join('\n'), t.readerLosses.join('\n'), t.lost.join('\n')}
                               .join("\n--\n"));
}
}

// One periodical's way: entered, lent to a reader who has a book out, returned, lent again,
// lost by the reader, then reported lost by the library and found again; every table
// compared after each step.
class TestPeriodicalRoad : public QObject {
    Q_OBJECT

private slots:
    void road()
    {
        Workplace work;
        QVERIFY(work.folder.isReady());
        insertReader("R1", "张三", "5", "30");
        insertBook("B1", "红楼梦");
        LendingService books(theApp().m_ado, "管理员");
        QCOMPARE(books.lend(*books.readerByNumber("R1"), books.findInStock("B1").value(0)),
                 LendingService::Outcome::Done);

        const QString copy = "6901234|KA0100|G63|G文化、科学、教育、体育|1|读者'文摘|54-17|读者出版社|2017年第7期|601|"
                             "2017-4-1|CN62-1118|12.8|2号书架|2017-04-11";
        const QString reader = "R1|张三|男|学生|30|一班|7|%1|5|2017-01-01||";
        const QString lent = "KA0100|读者'文摘||R1|张三|学生|2017-04-11|2017-05-11|12|超级用户";
        const QString lending = "KA0100|读者'文摘|R1|张三|学生|图书借阅|2017-04-11|超级用户";
        const QString returning = "KA0100|读者'文摘|R1|张三|学生|图书归还|2017-04-11|超级用户";

        CPeriodicalAddDlg entry;
        setText(entry, "m_edtBarcode", "6901234");
        setText(entry, "m_edtNumber", "KA0099");
        click(entry, "m_btnIncNumber");
        setText(entry, "m_edtClassNo", "G63");
        child<QComboBox>(&entry, "m_cmbClassName")->setCurrentText("G文化、科学、教育、体育");
        setText(entry, "m_edtTitle", "读者'文摘");
        click(entry, "m_btnCalcCopyNo");
        setText(entry, "m_edtPostCode", "54-17");
        child<QComboBox>(&entry, "m_cmbPublisher")->setCurrentText("读者出版社");
        setText(entry, "m_edtIssue", "2017年第7期");
        setText(entry, "m_edtTotalIssue", "601");
        setText(entry, "m_edtPubDate", "2017-4-1");
        setText(entry, "m_edtIssn", "CN62-1118");
        setText(entry, "m_edtPrice", "12.80");
        child<QComboBox>(&entry, "m_cmbShelf")->setCurrentText("2号书架");
        click(entry, "m_btnSave");
        QCOMPARE(now(), (Tables{{copy + "|0"}, {}, {}, {reader.arg(1)}, {}, {}}));

        CPeriodicalLendDlg desk;
        scan(desk, "m_edtReaderCard", "R1");
        scan(desk, "m_edtSearch", "KA0100");
        selectFirst(desk, "m_listToLend");
        click(desk, "m_btnLend");
        QCOMPARE(now(), (Tables{{copy + "|-1"}, {lent}, {lending}, {reader.arg(2)}, {}, {}}));

        selectFirst(desk, "m_listLoans");
        click(desk, "m_btnReturn");
        QCOMPARE(now(), (Tables{{copy + "|0"}, {}, {lending, returning}, {reader.arg(1)}, {}, {}}));

        selectFirst(desk, "m_listToLend");
        click(desk, "m_btnLend");
        const QStringList history{lending, returning, lending};
        QCOMPARE(now(), (Tables{{copy + "|-1"}, {lent}, history, {reader.arg(2)}, {}, {}}));

        CPeriodicalLoanLossDlg loss;
        setText(loss, "m_editReader", "R1");
        click(loss, "m_btnFind");
        selectFirst(loss, "m_list");
        click(loss, "m_btnReportLoss");
        const QStringList lossRecord{"KA0100|读者'文摘|R1|张三|2017-04-11|12|超级用户"};
        QCOMPARE(now(), (Tables{{copy + "|-1"}, {}, history, {reader.arg(1)}, lossRecord, {}}));

        CPeriodicalLostDlg library;
        click(library, "m_btnQueryBooks");
        child<CReportListCtrl>(&library, "m_listStock")->SetCheck(0, true);
        click(library, "m_btnMoveOut");
        QCOMPARE(now(), (Tables{{}, {}, history, {reader.arg(1)}, lossRecord, {copy + "|9999|system|2017-04-11|超级用户"}}));

        CPeriodicalUnlossDlg found;
        click(found, "m_btnQuery");
        selectFirst(found, "m_list");
        click(found, "m_btnUnloss");
        QCOMPARE(now(), (Tables{{copy + "|0"}, {}, history, {reader.arg(1)}, lossRecord, {}}));
        QCOMPARE(work.seams.prompter.texts(), QStringList{"期刊解挂成功!\n"});
    }
};

QTEST_MAIN(TestPeriodicalRoad)
#include "test_periodical_road.moc"
