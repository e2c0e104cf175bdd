#include "ExchangeFixture.h"

#include "db/AppState.h"
#include "maintenance/AssetReport.h"
#include "maintenance/AssetReportDlg.h"
#include "maintenance/AssetReportTabDlg.h"
#include "sheets/SpreadsheetFile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QDateEdit>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(QList<double>)

namespace {
struct Kind {
    AssetReport::Spec spec;
    QStringList tables;  // stock, lost, weeded
};

Kind kindOf(const QString& name)
{
    const AssetReport::Spec spec =
        name == QLatin1String("books") ? AssetReport::Spec::forBooks() : AssetReport::Spec::forPeriodicals();
    return {spec, {spec.stockTable, spec.lostTable, spec.weededTable}};
}

void seed(const QString& table, const QList<double>& prices, const QString& prefix)
{
    for (int i = 0; i < prices.size(); ++i)
        QVERIFY(insertCopy(table, prefix + QString::number(i), QStringLiteral("书") + prefix, prices[i]));
}

QStringList editTexts(QWidget& window)
{
    QStringList texts;
    for (const char* name : {"m_editQuantity", "m_editValue", "m_editWeeded", "m_editLost", "m_editSubtotal",
                             "m_editStock", "m_editNetValue"})
        texts << window.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    return texts;
}

void click(QWidget& window, const char* name) { window.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
int listRows(QWidget& window) { return window.findChild<QTreeWidget*>(QStringLiteral("m_list"))->topLevelItemCount(); }
QString pageInfo(QWidget& window) { return window.findChild<QLabel*>(QStringLiteral("m_staticPageInfo"))->text(); }

QStringList reportNumbers(const RecordsetPtr& rs)
{
    QStringList numbers;
    for (; !rs->IsEOF(); rs->MoveNext())
        numbers << rs->GetCollect(1);
    numbers.sort();
    return numbers;
}

std::unique_ptr<QDialog> reportWindow(const QString& kind)
{
    if (kind == QLatin1String("books"))
        return std::make_unique<CBookAssetReportDlg>();
    return std::make_unique<CPeriodicalAssetReportDlg>();
}

void generateBooks(int copies)
{
    for (int i = 0; i < copies; ++i)
        QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0')),
                           QStringLiteral("书"), 1));
    QVERIFY(!AssetReport(theApp().m_ado, AssetReport::Spec::forBooks()).Generate());
}
}

class TestAssetReport : public QObject {
    Q_OBJECT

private slots:
    void generatesOneRowPerCopy_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<double>>("stock");
        QTest::addColumn<QList<double>>("lost");
        QTest::addColumn<QList<double>>("weeded");
        QTest::addColumn<QStringList>("totals");
        QTest::newRow("books 3/1/2") << "books" << QList<double>{10, 20, 30.5} << QList<double>{7}
                                     << QList<double>{1.25, 2}
                                     << QStringList{"6", "70.75", "2", "1", "10.25", "3", "60.5"};
        QTest::newRow("periodicals 2/1/1") << "periodicals" << QList<double>{5, 6} << QList<double>{4}
                                           << QList<double>{3} << QStringList{"4", "18", "1", "1", "7", "2", "11"};
        QTest::newRow("nothing anywhere") << "books" << QList<double>{} << QList<double>{} << QList<double>{}
                                          << QStringList(7, QString());
        // Money sums show at most two decimals, cut rather than rounded; counts are never cut.
        const auto money = [](const char* tag, const QList<double>& prices, const QString& sum) {
            const QString n = QString::number(prices.size());
            QTest::newRow(tag) << "books" << prices << QList<double>{} << QList<double>{}
                               << QStringList{n, sum, "0", "0", "0", n, sum};
        };
        money("four decimals", {1234.5678}, "1234.56");
        money("one decimal", {12.5}, "12.5");
        money("whole", {10, 20}, "30");
        money("binary fractions", {0.1, 0.2}, "0.3");
        money("cut, not rounded", {1.999}, "1.99");
    }

    void generatesOneRowPerCopy()
    {
        QFETCH(QString, kind);
        QFETCH(QList<double>, stock);
        QFETCH(QList<double>, lost);
        QFETCH(QList<double>, weeded);
        QFETCH(QStringList, totals);
        Workplace work;
        const Kind k = kindOf(kind);
        seed(k.tables[0], stock, QStringLiteral("S"));
        seed(k.tables[1], lost, QStringLiteral("L"));
        seed(k.tables[2], weeded, QStringLiteral("W"));
        QVERIFY(run(QStringLiteral("insert into %1 (资产编号) values ('old')").arg(k.spec.reportTable)));
        AssetReport report(theApp().m_ado, k.spec);
        QVERIFY(!report.Generate());
        const qsizetype rows = stock.size() + lost.size() + weeded.size();
        QCOMPARE(tableRows(k.spec.reportTable).size(), rows);
        QCOMPARE(cell(QStringLiteral("select count(*) from %1 where 资产分类='图书、档案' and 资产数量=1")
                          .arg(k.spec.reportTable)),
                 QString::number(rows));
        QCOMPARE(report.Totals(std::nullopt), totals);
        QCOMPARE(AssetReport::TotalsOf(*report.Search(QString())->SharedRows()), totals);
        if (weeded.isEmpty())
            return;
        // A weeded copy counts in 剔旧 and 小计, never in the stock.
        QCOMPARE(cell(QStringLiteral("select 资产名称||'/'||剔旧||'/'||丢失||'/'||小计||'/'||库存数量||'/'||库存净值 "
                                     "from %1 where 资产编号='W0'")
                          .arg(k.spec.reportTable)),
                 QStringLiteral("书W/1/0/%1/0/0").arg(weeded[0]));
    }

    // Each phase copies its rows a slice at a time and tells how far it is; with row ids
    // that skip, no row is lost or copied twice at a slice's edge.
    void generationTellsTheRowsOfEachPhase()
    {
        Workplace work;
        {
            CTransaction batch(theApp().m_ado);
            for (int i = 0; i < 2600; ++i)
                QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0')),
                                   QStringLiteral("书"), 1));
            QVERIFY(batch.Commit());
        }
        QVERIFY(run(QStringLiteral("delete from bkinfo where rowid % 7 = 3")));
        QVERIFY(insertCopy(QStringLiteral("bkinfo_tijiu"), QStringLiteral("W1"), QStringLiteral("旧"), 1));
        const int stock = cell(QStringLiteral("select count(*) from bkinfo")).toInt();
        QList<QList<int>> told;
        AssetReport report(theApp().m_ado, AssetReport::Spec::forBooks());
        QVERIFY(!report.Generate([&told](int phase, int done, int total) { told << QList<int>{phase, done, total}; }));
        QCOMPARE(told.first(), (QList<int>{1, 0, stock}));
        QCOMPARE(std::count_if(told.begin(), told.end(), [](const QList<int>& t) { return t[0] == 1; }),
                 1 + stock / 1000 + 1);
        QVERIFY(told.contains(QList<int>{1, 1000, stock}));
        QVERIFY(told.contains(QList<int>{1, stock, stock}));
        QCOMPARE(told.last(), (QList<int>{3, 1, 1}));
        QCOMPARE(cell(QStringLiteral("select count(distinct 资产编号) || '/' || count(*) from bkinfo_baobiaoT")),
                 QStringLiteral("%1/%1").arg(stock + 1));

        // The window's bar runs over the rows of the phase at hand.
        CBookAssetReportDlg window;
        auto* bar = window.findChild<QProgressBar*>(QStringLiteral("m_progressGenerate"));
        click(window, "m_btnGenerate");
        QCOMPARE(bar->maximum(), 1);
        QCOMPARE(bar->value(), 1);
    }

    // Sums of many prices come out to the cent in the window and in the export's totals row:
    // added as doubles they drift below the true sum, and the cut to two places loses a cent.
    void moneyTotalsKeepEveryCent_data()
    {
        QTest::addColumn<QList<double>>("prices");
        QTest::addColumn<QString>("total");
        QList<double> varied;
        for (int i = 0; i < 1000; ++i)
            varied << ((i * 7919 + i * i) % 5500 + 500) / 100.0;
        QTest::newRow("1,000 prices from 5 to 59.99") << varied << "32025";
        QTest::newRow("50 at 1234.5678") << QList<double>(50, 1234.5678) << "61728.39";
        QTest::newRow("1,000 at 28.6919") << QList<double>(1000, 28.6919) << "28691.9";
    }

    void moneyTotalsKeepEveryCent()
    {
        QFETCH(QList<double>, prices);
        QFETCH(QString, total);
        Workplace work;
        {
            CTransaction batch(theApp().m_ado);
            for (int i = 0; i < prices.size(); ++i)
                QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0')),
                                   QStringLiteral("书"), prices[i]));
            QVERIFY(batch.Commit());
        }
        CBookAssetReportDlg window;
        click(window, "m_btnGenerate");
        const QString count = QString::number(prices.size());
        QCOMPARE(editTexts(window), (QStringList{count, total, "0", "0", "0", count, total}));
        const AssetReport report(theApp().m_ado, AssetReport::Spec::forBooks());
        const QStringList footer = AssetReport::TotalsRow(*report.Query(std::nullopt)->SharedRows());
        QCOMPARE((QStringList{footer[5], footer[7], footer[12], footer[13]}), (QStringList{count, total, count, total}));
    }

    void searchTakesTextLiterally_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("number or name") << "0012" << QStringList{"0012", "0013"};
        QTest::newRow("quote") << "'" << QStringList{"0014"};
        QTest::newRow("percent") << "%" << QStringList{"0015"};
        QTest::newRow("underscore") << "_" << QStringList{"0016"};
        QTest::newRow("nothing found") << "0019" << QStringList{};
        QTest::newRow("every row") << "" << QStringList{"0012", "0013", "0014", "0015", "0016", "0017"};
    }

    void searchTakesTextLiterally()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        Workplace work;
        const QStringList titles = {"甲", "含0012的书", "a'b", "50%off", "a_b", "5000ff"};
        for (int i = 0; i < titles.size(); ++i)
            QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("00%1").arg(12 + i), titles[i], 1));
        AssetReport report(theApp().m_ado, AssetReport::Spec::forBooks());
        QVERIFY(!report.Generate());
        QCOMPARE(reportNumbers(report.Search(text)), numbers);
    }

    // A date range includes both ends. Missing values stay missing and numbers stay numbers,
    // so sums and date filters hold.
    void datesAndPricesKeepTheirKinds()
    {
        Workplace work;
        const QStringList dates = {"2017-03-31", "2017-04-01", "2017-04-11", "2017-04-12"};
        for (int i = 0; i < dates.size(); ++i)
            QVERIFY(insertCopy(QStringLiteral("qikaninfo"), QStringLiteral("Q%1").arg(i), QStringLiteral("刊"), i + 1,
                               dates[i]));
        QVERIFY(insertCopy(QStringLiteral("qikaninfo"), QStringLiteral("N1"), QStringLiteral("无价"), QVariant(), QString()));
        QVERIFY(insertCopy(QStringLiteral("qikaninfo"), QStringLiteral("N2"), QStringLiteral("有价"), QStringLiteral("12.5")));
        const AssetReport::Spec spec = AssetReport::Spec::forPeriodicals();
        AssetReport report(theApp().m_ado, spec);
        QVERIFY(!report.Generate());
        const DateRange range{QDate(2017, 4, 1), QDate(2017, 4, 11)};
        QCOMPARE(reportNumbers(report.Query(range)), (QStringList{"Q1", "Q2"}));
        QCOMPARE(report.Totals(range), (QStringList{"2", "5", "0", "0", "0", "2", "5"}));
        QCOMPARE(report.Query(std::nullopt)->GetRecordCount(), 6L);
        QCOMPARE(report.Totals(std::nullopt)[1], QStringLiteral("22.5"));
        QCOMPARE(cell(QStringLiteral("select typeof(资产单价)||typeof(取得时间)||typeof(资产总价) from %1 "
                                     "where 资产编号='N1'").arg(spec.reportTable)),
                 QStringLiteral("nullnullnull"));
        QCOMPARE(cell(QStringLiteral("select typeof(资产单价) from %1 where 资产编号='N2'").arg(spec.reportTable)),
                 QStringLiteral("real"));
    }

    // A phase that fails takes the whole generation back: the old report stays as it was.
    void failingPhaseKeepsTheOldReport_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("text");
        QTest::newRow("book stock") << "books" << "库存数量=1" << "导入图书信息失败";
        QTest::newRow("book losses") << "books" << "丢失=1" << "导入丢失数据失败！";
        QTest::newRow("book weed-outs") << "books" << "剔旧=1" << "导入剔旧数据失败！";
        QTest::newRow("periodical losses") << "periodicals" << "丢失=1" << "操作失败";
    }

    void failingPhaseKeepsTheOldReport()
    {
        QFETCH(QString, kind);
        QFETCH(QString, when);
        QFETCH(QString, text);
        Workplace work;
        const Kind k = kindOf(kind);
        for (const QString& table : k.tables)
            seed(table, {3}, table.left(2));
        AssetReport report(theApp().m_ado, k.spec);
        QVERIFY(!report.Generate());
        const QStringList before = tableRows(k.spec.reportTable);
        for (const QString& table : k.tables)
            seed(table, {4}, QStringLiteral("new") + table);
        QVERIFY(run(QStringLiteral("create trigger refuse before insert on %1 when new.%2 "
                                   "begin select raise(abort, '报表表已满'); end")
                        .arg(k.spec.reportTable, when)));
        const std::optional<AssetReport::Failure> failure = report.Generate();
        QVERIFY(failure);
        QCOMPARE(failure->text, text);
        QVERIFY2(failure->reason.contains(QStringLiteral("报表表已满")), qPrintable(failure->reason));
        QCOMPARE(tableRows(k.spec.reportTable), before);
        QCOMPARE(theApp().m_ado.TransDepth(), 0);
    }

    // Without a report to show, the export refuses before it asks for a file.
    void windowGeneratesAfterConfirmation_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("nothing");
        QTest::newRow("books confirmed") << "books" << true << "没有图书信息可导出!";
        QTest::newRow("books cancelled") << "books" << false << "没有图书信息可导出!";
        QTest::newRow("periodicals confirmed") << "periodicals" << true << "没有期刊信息可导出!";
        QTest::newRow("periodicals cancelled") << "periodicals" << false << "没有期刊信息可导出!";
    }

    void windowGeneratesAfterConfirmation()
    {
        QFETCH(QString, kind);
        QFETCH(bool, confirm);
        QFETCH(QString, nothing);
        Workplace work;
        const Kind k = kindOf(kind);
        seed(k.tables[0], {1, 2, 3}, QStringLiteral("S"));
        seed(k.tables[1], {4}, QStringLiteral("L"));
        seed(k.tables[2], {5, 6}, QStringLiteral("W"));
        const std::unique_ptr<QDialog> window = reportWindow(kind);
        click(*window, "m_btnExport");
        work.seams.prompter.answers.enqueue(confirm ? QMessageBox::Ok : QMessageBox::Cancel);
        click(*window, "m_btnGenerate");
        QCOMPARE(work.seams.prompter.messages[1].text, QStringLiteral("初始化将清除原来的报表信息？"));
        QCOMPARE(work.seams.prompter.messages[1].caption, QStringLiteral("确定"));
        QCOMPARE(work.seams.prompter.messages[1].defaultButton, QMessageBox::NoButton);
        QCOMPARE(work.seams.prompter.messages.size(), 2);
        QCOMPARE(tableRows(k.spec.reportTable).size(), confirm ? 6 : 0);
        QCOMPARE(listRows(*window), confirm ? 6 : 0);
        QCOMPARE(pageInfo(*window), confirm ? QStringLiteral("共计：1页  6条记录") : QString());
        QCOMPARE(editTexts(*window),
                 confirm ? (QStringList{"6", "21", "2", "1", "15", "3", "6"}) : QStringList(7, QString()));
        if (confirm)
            return;
        click(*window, "m_btnSearch");
        click(*window, "m_btnExport");
        QCOMPARE(work.seams.prompter.texts().mid(2), (QStringList{QStringLiteral("没有找到相关信息的图书!"), nothing}));
        QCOMPARE(work.seams.prompter.texts().first(), nothing);
        QVERIFY(work.seams.chooser.proposals.isEmpty());
    }

    // Each report has an empty title and closes on Escape, wherever the focus is.
    void windowsHaveNoTitleAndCloseOnEscape_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("focus");
        for (const char* focus : {"m_btnGenerate", "m_editSearch", "m_list", "m_dateFrom", "m_cmbPage"}) {
            QTest::addRow("books, %s", focus) << "books" << focus;
            QTest::addRow("periodicals, %s", focus) << "periodicals" << focus;
        }
    }

    void windowsHaveNoTitleAndCloseOnEscape()
    {
        QFETCH(QString, kind);
        QFETCH(QString, focus);
        Workplace work;
        const std::unique_ptr<QDialog> window = reportWindow(kind);
        QCOMPARE(window->windowTitle(), QString());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* field = window->findChild<QWidget*>(focus);
        field->setEnabled(true);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Rejected));
    }

    // 盘库: both reports as pages; a tab shows its page, Escape closes the whole window.
    void tabWindowHoldsBothReports()
    {
        Workplace work;
        CAssetReportTabDlg window;
        QCOMPARE(window.windowTitle(), QStringLiteral("盘库"));
        auto* tab = window.findChild<QTabWidget*>(QStringLiteral("m_tab"));
        QCOMPARE(tab->count(), 2);
        QCOMPARE((QStringList{tab->tabText(0), tab->tabText(1)}), (QStringList{"图书信息财务报表", "期刊信息财务报表"}));
        QVERIFY(qobject_cast<CBookAssetReportDlg*>(tab->widget(0)));
        QVERIFY(qobject_cast<CPeriodicalAssetReportDlg*>(tab->widget(1)));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!tab->widget(0)->isWindow() && tab->widget(0)->isVisible() && !tab->widget(1)->isVisible());
        tab->setCurrentIndex(1);
        QVERIFY(tab->widget(1)->isVisible() && !tab->widget(0)->isVisible());
        // The page works as the window does: its generation fills its own list.
        QVERIFY(insertCopy(QStringLiteral("qikaninfo"), QStringLiteral("Q1"), QStringLiteral("刊"), 2.5));
        click(*tab->widget(1), "m_btnGenerate");
        QCOMPARE(listRows(*tab->widget(1)), 1);
        QCOMPARE(listRows(*tab->widget(0)), 0);
        auto* search = tab->widget(1)->findChild<QWidget*>(QStringLiteral("m_editSearch"));
        search->setFocus();
        QTest::keyClick(search, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    void pagesOfFifty_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("lastPageRows");
        QTest::newRow("50") << 50 << 1 << 50;
        QTest::newRow("100") << 100 << 2 << 50;
        QTest::newRow("101") << 101 << 3 << 1;
    }

    void pagesOfFifty()
    {
        QFETCH(int, rows);
        QFETCH(int, pages);
        QFETCH(int, lastPageRows);
        Workplace work;
        generateBooks(rows);
        CBookAssetReportDlg window;
        click(window, "m_btnSearch");
        QCOMPARE(pageInfo(window), QStringLiteral("共计：%1页  %2条记录").arg(pages).arg(rows));
        QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("m_cmbPage"))->count(), pages);
        for (int page = 1; page < pages; ++page)
            click(window, "m_btnNext");
        QCOMPARE(listRows(window), lastPageRows);
        QVERIFY(work.seams.prompter.messages.isEmpty());
        click(window, "m_btnNext");
        QCOMPARE(work.seams.prompter.lastText(), QStringLiteral("已是最后一页！"));
        // An empty result empties the list; the page texts stay, and paging shows no old rows.
        const QString pageTexts = pageInfo(window);
        auto* combo = window.findChild<QComboBox*>(QStringLiteral("m_cmbPage"));
        const int entries = combo->count();
        window.findChild<QLineEdit*>(QStringLiteral("m_editSearch"))->setText(QStringLiteral("没有这本"));
        click(window, "m_btnSearch");
        QCOMPARE(work.seams.prompter.lastText(), QStringLiteral("没有找到相关信息的图书!"));
        QCOMPARE(listRows(window), 0);
        QCOMPARE(pageInfo(window), pageTexts);
        QCOMPARE(combo->count(), entries);
        click(window, "m_btnPrev");
        QCOMPARE(listRows(window), 0);
        click(window, "m_btnNext");
        QCOMPARE(listRows(window), 0);
    }

    // A page number typed into the selector chooses nothing and never joins its list: the page
    // shown stays, Enter presses the default button (the date query, which lists page 1), and
    // the buttons go on from the page shown and write its number back.
    void typedPageChoosesNothing_data()
    {
        QTest::addColumn<int>("leaving");
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("Tab") << int(Qt::Key_Tab) << "B0050";
        QTest::newRow("Enter") << int(Qt::Key_Return) << "B0000";
    }

    void typedPageChoosesNothing()
    {
        QFETCH(int, leaving);
        QFETCH(QString, firstRow);
        Workplace work;
        generateBooks(101);
        CBookAssetReportDlg window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        click(window, "m_btnSearch");
        click(window, "m_btnNext");
        auto* combo = window.findChild<QComboBox*>(QStringLiteral("m_cmbPage"));
        auto* list = window.findChild<QTreeWidget*>(QStringLiteral("m_list"));
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("3"));
        QTest::keyClick(combo, Qt::Key(leaving));
        QCOMPARE(list->topLevelItem(0)->text(0), firstRow);
        QCOMPARE(combo->count(), 3);
        if (leaving == Qt::Key_Tab)
            QCOMPARE(combo->currentText(), QStringLiteral("3"));
        click(window, "m_btnNext");
        QCOMPARE(list->topLevelItem(0)->text(0), firstRow == QLatin1String("B0000") ? "B0050" : "B0100");
        QCOMPARE(combo->currentText(), firstRow == QLatin1String("B0000") ? "2" : "3");
        QCOMPARE(combo->count(), 3);
        QVERIFY(work.seams.prompter.messages.isEmpty());
    }

    // The totals follow the date query; a search lists other rows under the same totals.
    void totalsFollowTheDateQuery()
    {
        Workplace work;
        QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("A"), QStringLiteral("甲"), 10, "2017-04-01"));
        QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("B"), QStringLiteral("乙"), 20, "2017-05-01"));
        QVERIFY(!AssetReport(theApp().m_ado, AssetReport::Spec::forBooks()).Generate());
        CBookAssetReportDlg window;
        auto* from = window.findChild<QDateEdit*>(QStringLiteral("m_dateFrom"));
        QVERIFY(!from->isEnabled());
        window.findChild<QRadioButton*>(QStringLiteral("m_radioPeriod"))->click();
        QVERIFY(from->isEnabled());
        from->setDate(QDate(2017, 4, 1));
        window.findChild<QDateEdit*>(QStringLiteral("m_dateTo"))->setDate(QDate(2017, 4, 30));
        click(window, "m_btnQuery");
        QCOMPARE(listRows(window), 1);
        QCOMPARE(editTexts(window), (QStringList{"1", "10", "0", "0", "0", "1", "10"}));
        click(window, "m_btnSearch");
        QCOMPARE(listRows(window), 2);
        QCOMPARE(editTexts(window)[1], QStringLiteral("10"));
        // A range without rows says so and keeps the totals it found before.
        window.findChild<QDateEdit*>(QStringLiteral("m_dateTo"))->setDate(QDate(2017, 3, 31));
        click(window, "m_btnQuery");
        QCOMPARE(work.seams.prompter.lastText(), QStringLiteral("没有找到相关信息的图书!"));
        QCOMPARE(listRows(window), 0);
        QCOMPARE(editTexts(window), (QStringList{"1", "10", "0", "0", "0", "1", "10"}));
        // The search text is taken as typed: a trailing blank is part of it.
        window.findChild<QLineEdit*>(QStringLiteral("m_editSearch"))->setText(QStringLiteral("乙 "));
        click(window, "m_btnSearch");
        QCOMPARE(listRows(window), 0);
        window.findChild<QRadioButton*>(QStringLiteral("m_radioAll"))->click();
        click(window, "m_btnQuery");
        QCOMPARE(editTexts(window)[1], QStringLiteral("30"));
    }

    // The export writes the rows listed, numbers as numbers and numbers of copies as text,
    // and under them a totals row that sums what was written.
    void exportWritesRowsAndTheirTotals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("xls") << "报表.xls";
        QTest::newRow("xlsx") << "报表.xlsx";
    }

    void exportWritesRowsAndTheirTotals()
    {
        QFETCH(QString, name);
        Workplace work;
        QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("0012"), QStringLiteral("甲"), 10.5, "2017-04-01"));
        QVERIFY(insertCopy(QStringLiteral("bkinfo_diushi"), QStringLiteral("0013"), QStringLiteral("乙"), 20));
        QVERIFY(insertCopy(QStringLiteral("bkinfo_tijiu"), QStringLiteral("0014"), QStringLiteral("丙"), 30.25));
        QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("0015"), QStringLiteral("丁"), 1));
        CBookAssetReportDlg window;
        click(window, "m_btnGenerate");
        QCOMPARE(editTexts(window)[1], QStringLiteral("61.75"));
        QVERIFY(run(QStringLiteral("delete from bkinfo_baobiaoT where 资产编号='0015'")));
        click(window, "m_btnSearch");
        QCOMPARE(listRows(window), 3);
        const QString path = work.folder.path() + QLatin1Char('/') + name;
        work.seams.chooser.answers.enqueue(path);
        click(window, "m_btnExport");
        QTRY_COMPARE_WITH_TIMEOUT(work.seams.prompter.lastText(), QStringLiteral("导出数据成功!"), 20000);

        Workbook book;
        QString error;
        QVERIFY2(readSpreadsheet(path, QLatin1Char(','), &book, &error), qPrintable(error));
        QCOMPARE(book.front().rows[1][0].kind, SheetCell::Kind::Text);
        QCOMPARE(book.front().rows[1][4].kind, SheetCell::Kind::Number);
        const Rows rows = fileRows(path);
        QCOMPARE(rows.size(), 5);
        QCOMPARE((QStringList{rows[0][0], rows[0][13], rows[1][0], rows[1][6]}),
                 (QStringList{"资产编号", "库存净值", "0012", "2017-04-01"}));
        QCOMPARE(rows[4], (QStringList{"合计", "", "", "", "", "3", "", "60.75", "1", "1", "50.25", "", "1", "10.5"}));
    }
};

QTEST_MAIN(TestAssetReport)
#include "test_assetreport.moc"
