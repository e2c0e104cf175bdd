#include "PeriodicalFixture.h"

#include "controls/ButtonIcons.h"
#include "periodicals/PeriodicalAddDlg.h"
#include "periodicals/PeriodicalLendDlg.h"
#include "periodicals/PeriodicalLoanLossDlg.h"
#include "periodicals/PeriodicalMenuDlg.h"
#include "periodicals/PeriodicalQueryDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {
std::unique_ptr<QWidget> open(const QString& window)
{
    if (window == "entry")
        return std::make_unique<CPeriodicalAddDlg>();
    if (window == "lending")
        return std::make_unique<CPeriodicalLendDlg>();
    if (window == "menu")
        return std::make_unique<CPeriodicalMenuDlg>();
    if (window == "reader loss")
        return std::make_unique<CPeriodicalLoanLossDlg>();
    return std::make_unique<CPeriodicalQueryDlg>();
}

QImage picture(const QIcon& icon) { return icon.pixmap(16, 16).toImage(); }
}

// The periodical windows as they stand before any command: icons, captions and idle controls.
class TestPeriodicalWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<Workplace> m_work;

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    // Each button carries the picture of its icon resource; 0: none.
    void icons_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("icon");
        QTest::newRow("entry: save") << "entry" << "m_btnSave" << 210;
        QTest::newRow("entry: delete") << "entry" << "m_btnDelete" << 211;
        QTest::newRow("entry: search") << "entry" << "m_btnSearch" << 192;
        QTest::newRow("entry: clear") << "entry" << "m_btnClear" << 0;
        QTest::newRow("lending: reader") << "lending" << "m_btnFindReader" << 192;
        QTest::newRow("lending: search") << "lending" << "m_btnSearch" << 192;
        QTest::newRow("lending: lend") << "lending" << "m_btnLend" << 0;
        QTest::newRow("query: search") << "query" << "m_btnSearch" << 192;
        QTest::newRow("query: export") << "query" << "m_btnExport" << 202;
        QTest::newRow("menu: summary") << "menu" << "m_btnSummary" << 0;
    }
    void icons()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(int, icon);
        const auto w = open(window);
        const QIcon shown = child<QPushButton>(w.get(), button)->icon();
        if (icon == 0)
            QVERIFY(shown.isNull());
        else
            QCOMPARE(picture(shown), picture(resourceIcon(icon)));
    }

    // The query window's search page: no caption before its edit, an idle progress bar, a
    // page selector that takes typing; the window itself carries no icon of its own.
    void searchPageControls()
    {
        const auto w = open("query");
        w->show();
        QVERIFY(w->windowIcon().isNull());
        QWidget* search = child<QTabWidget>(w.get(), "m_tab")->widget(0);
        QCOMPARE(search->findChildren<QLabel*>(), QList<QLabel*>{child<QLabel>(search, "m_staticPageInfo")});
        auto* progress = child<QProgressBar>(search, "m_progress");
        QVERIFY(progress->isVisible());
        QCOMPARE(progress->value(), 0);
        QVERIFY(child<QComboBox>(search, "m_cmbPage")->isEditable());
    }

    // The reader loss window captions its reader edit with the radio button "借书卡号".
    void readerLossCaption()
    {
        const auto w = open("reader loss");
        w->show();
        auto* radio = child<QRadioButton>(w.get(), "m_radioReader");
        QVERIFY(radio->isVisible());
        QCOMPARE(radio->text(), "借书卡号");
        QVERIFY(!radio->isChecked());
        QVERIFY(!child<QLabel>(w.get(), "m_labelReader")->isVisible());
    }

    // No tips appear where none were asked for.
    void noTips_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("entry") << "entry";
        QTest::newRow("lending") << "lending";
        QTest::newRow("query") << "query";
    }
    void noTips()
    {
        QFETCH(QString, window);
        const auto w = open(window);
        for (const QWidget* widget : w->findChildren<QWidget*>())
            QVERIFY2(widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
    }
};

QTEST_MAIN(TestPeriodicalWindows)
#include "test_periodical_windows.moc"
