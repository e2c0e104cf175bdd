#include "app/LibraryApp.h"
#include "app/LibraryDlg.h"
#include "app/LoginCheck.h"
#include "app/LoginDlg.h"
#include "app/MainMenu.h"
#include "app/Windows.h"
#include "controls/ButtonIcons.h"
#include "controls/CalculatorDlg.h"
#include "controls/CommandTable.h"
#include "controls/SkinButton.h"
#include "core/PasswordHash.h"
#include "db/AdoConn.h"
#include "db/AppState.h"
#include "printing/BarcodeSet2Dlg.h"
#include "printing/BarcodeSetDlg.h"
#include "printing/LabelSettingDlg.h"
#include "remote/DbEngineDlg.h"
#include "remote/DbServiceDlg.h"
#include "remote/DbServiceRunDlg.h"
#include "remote/UnitSetDlg.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QtTest>

namespace {
bool addOperator(const QString& name, const QString& password)
{
    return theApp().m_ado.ExecuteSql(QStringLiteral("insert into admin (用户名, 密码) values (?, ?)"),
                                     {name, hashPassword(password)});
}

QComboBox* nameBox(CLoginDlg& dlg) { return dlg.findChild<QComboBox*>(QStringLiteral("m_cmbUserName")); }
QLineEdit* passwordEdit(CLoginDlg& dlg) { return dlg.findChild<QLineEdit*>(QStringLiteral("m_edtPassword")); }

// The window each command opens, by class name.
const std::map<int, const char*>& expectedWindows()
{
    static const std::map<int, const char*> windows = {
        {32791, "CAdminSetDlg"}, {32793, "CLibraryInfoDlg"}, {32794, "CInitSystemDlg"},
        {32823, "CExportBookTemplateDlg"}, {32798, "CImportBookDlg"}, {32852, "CMarcImportDlg"},
        {32796, "CBookAddDlg"}, {32827, "CBookCancelDlg"}, {32859, "CExportPeriodicalTemplateDlg"},
        {32860, "CImportPeriodicalDlg"}, {32840, "CPeriodicalAddDlg"}, {32841, "CPeriodicalCancelDlg"},
        {32799, "CBookTypeDlg"}, {32800, "CPublisherDlg"}, {32822, "CShelfSettingDlg"},
        {32801, "CBookLendDlg"}, {32804, "CBookLoanLossDlg"}, {32881, "CBookUnlossDlg"},
        {32839, "CPeriodicalLendDlg"}, {32873, "CPeriodicalLoanLossDlg"}, {32882, "CPeriodicalUnlossDlg"},
        {32805, "CReaderAddDlg"}, {32826, "CReaderCancelDlg"}, {32836, "CExportReaderTemplateDlg"},
        {32835, "CImportReaderDlg"}, {32807, "CReaderTypeDlg"}, {32821, "CReaderDeptDlg"},
        {32808, "CBookQueryDlg"}, {32820, "CLendQueryDlg"}, {32842, "CPeriodicalQueryDlg"},
        {32812, "CReaderQueryDlg"}, {32813, "CBackupDlg"}, {32814, "CRestoreDlg"},
        {32878, "CBookLostDlg"}, {32875, "CBookWeedOutDlg"}, {32876, "CBookAssetReportDlg"},
        {32879, "CPeriodicalLostDlg"}, {32877, "CPeriodicalWeedDlg"}, {32880, "CPeriodicalAssetReportDlg"},
        {32871, "CImportLendDlg"}, {32886, "CImportLendHistoryDlg"}, {32887, "CRepairDlg"},
        {32845, "CBookLabelPrintDlg"}, {32855, "CBookBarcodePrintDlg"}, {32856, "CCustomBarcodePrintDlg"},
        {32846, "CReaderCardPrintDlg"}, {32857, "CCustomCardPrintDlg"}, {32847, "CCalculator2Dlg"},
        {32818, "CAboutDlg"},
        {1001, "CAdminSetDlg"}, {1002, "CBookAddDlg"}, {1003, "CBookLendDlg"}, {1004, "CPeriodicalLendDlg"},
        {1005, "CReaderAddDlg"}, {1006, "CLendQueryDlg"}, {1007, "CBookQueryDlg"},
        {1014, "CAdminSetDlg"}, {32824, "CDataUploadDlg"}, {32825, "CDataDownloadDlg"},
        {32829, "CPeriodicalAddDlg"}, {32831, "CPeriodicalLendDlg"}, {32848, "CSchoolLendQueryDlg"},
        {32849, "CUploadSetPage"}, {32850, "CFtpUploadDlg"}, {32851, "CFtpDownloadDlg"},
        {32883, "CReserveLendPage"}, {32884, "CUnitInfoUploadDlg"}, {32885, "CNoticeBoardDlg"},
    };
    return windows;
}

// The commands whose windows are built: each of them must open its window. The list grows
// with every window added.
const QSet<int>& builtToday()
{
    static const QSet<int> ids = {
        32791, 1001, 1014, 32793, 32885, 32818, 32847,  // frame
        32796, 1002, 32799, 32800, 32822, 32852,       // catalogue
        32808, 1007,                                   // book query
        32878, 32875, 32881, 32827,                    // losses, weeding, cancelling
        32801, 1003, 32805, 1005, 32826, 32807, 32821,  // circulation
        32804,
        32820, 1006, 32812,                            // lending and reader queries
        32845, 32846, 32855, 32856, 32857,             // printing
        32823, 32836, 32859,                           // exchange
        32824, 32825, 32848, 32849, 32850, 32851, 32883, 32884,  // off the menu
        32840, 32829, 32839, 1004, 32831,              // periodicals
        32841, 32873, 32882, 32879, 32877, 32842,
        32794, 32813, 32814, 32876, 32880, 32887,      // reports and maintenance
        32798, 32860, 32835, 32871, 32886,             // imports
    };
    return ids;
}

// The menu entries the README lists as not built yet, each as its menu title and caption:
// the lines "- 【menu】 entry、entry" of the section "## Not built yet".
QStringList readmeNotBuilt()
{
    QFile file(QStringLiteral(SCHOOLLIB_SOURCE_DIR "/README.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("README.md cannot be read")};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QStringList entries;
    bool inSection = false;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("## ")))
            inSection = line == QStringLiteral("## Not built yet");
        static const QRegularExpression item(QStringLiteral("^- (【[^】]+】)\\s*(.+)$"));
        const QRegularExpressionMatch match = item.match(line.trimmed());
        if (!inSection || !match.hasMatch())
            continue;
        for (const QString& caption : match.captured(2).split(QStringLiteral("、")))
            entries << match.captured(1) + caption.trimmed();
    }
    return entries;
}

// The window of a command ("32793"), or one that no command opens, by a name of its own.
std::unique_ptr<QDialog> openWindow(const QString& window)
{
    bool isCommand = false;
    const int command = window.toInt(&isCommand);
    if (isCommand)
        return CommandTable::instance().create(command);
    static const std::map<QString, std::function<QDialog*()>> others = {
        {QStringLiteral("login"), [] { return new CLoginDlg; }},
        {QStringLiteral("calculator"), [] { return new CCalculatorDlg; }},
        {QStringLiteral("barcode settings"), [] { return new CBarcodeSetDlg(0); }},
        {QStringLiteral("barcode settings 2"), [] { return new CBarcodeSet2Dlg; }},
        {QStringLiteral("label settings"), [] { return new CLabelSettingDlg; }},
        {QStringLiteral("unit settings"), [] { return new CUnitSetDlg; }},
        {QStringLiteral("database engine"), [] { return new CDbEngineDlg; }},
        {QStringLiteral("database service"), [] { return new CDbServiceDlg; }},
        {QStringLiteral("database service run"), [] { return new CDbServiceRunDlg; }},
    };
    const auto found = others.find(window);
    return std::unique_ptr<QDialog>(found == others.end() ? nullptr : found->second());
}

// Sends a key as X11 reports it, with the scan code that tells the two Ctrl keys apart.
void sendKey(QWidget* widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, quint32 scanCode)
{
    QKeyEvent event(type, key, modifiers, scanCode, 0, 0);
    QApplication::sendEvent(widget, &event);
}
}

// Login, start-up and the main window. Start-up runs real modal windows; a timer answers the
// login window the way a user would.
class TestMainWindow : public QObject {
    Q_OBJECT

    QStringList m_opened;
    QList<QWidget*> m_owners;
    std::unique_ptr<Workplace> m_work;
    ScriptedPrompter& prompter() { return m_work->seams.prompter; }

private slots:
    void initTestCase()
    {
        registerAllWindows(CommandTable::instance());
        CommandTable::instance().setRunner([this](QDialog& window) {
            m_opened << QString::fromLatin1(window.metaObject()->className());
            m_owners << window.parentWidget();
        });
    }

    void init()
    {
        m_opened.clear();
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    void loginAttempts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        const QString refused = QStringLiteral("用户名或密码错误！");
        const QString empty = QStringLiteral("用户名或密码不能为空");
        QTest::newRow("initial operator") << "超级用户" << "123456" << "";
        QTest::newRow("wrong password") << "超级用户" << "12345" << refused;
        QTest::newRow("injection as password") << "超级用户" << "' or '1'='1" << refused;
        QTest::newRow("injection as name") << "' or '1'='1' --" << "x" << refused;
        QTest::newRow("quote in name") << "O'Brien" << "pa'ss" << "";
        // The name is looked up exactly: % and _ are plain characters, not patterns.
        QTest::newRow("exact name") << "王五" << "wu5" << "";
        QTest::newRow("percent in name") << "王%" << "wu5" << refused;
        QTest::newRow("underscore in name") << "王_" << "wu5" << refused;
        // Names compare without regard to Latin case; the operator is the name as typed.
        QTest::newRow("name in another case") << "o'brien" << "pa'ss" << "";
        QTest::newRow("empty password") << "超级用户" << "" << empty;
        QTest::newRow("empty name") << "" << "123456" << empty;
    }

    void loginAttempts()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QVERIFY(addOperator(QStringLiteral("O'Brien"), QStringLiteral("pa'ss")));
        QVERIFY(addOperator(QStringLiteral("王五"), QStringLiteral("wu5")));
        CLoginDlg dlg;
        nameBox(dlg)->setEditText(name);
        passwordEdit(dlg)->setText(password);
        dlg.findChild<QPushButton*>(QStringLiteral("m_btnLogin"))->click();
        QCOMPARE(dlg.result() == QDialog::Accepted, message.isEmpty());
        QCOMPARE(prompter().lastText(), message);
        QCOMPARE(theApp().m_strOperator, message.isEmpty() ? name : QStringLiteral("超级用户"));
        if (message != QStringLiteral("用户名或密码错误！"))
            return;
        QCOMPARE(nameBox(dlg)->currentText() + passwordEdit(dlg)->text(), QString());
        QCOMPARE(nameBox(dlg)->count(), 3);
    }

    // The login buttons' icons come from the form; they stay while the mouse passes over.
    void loginButtonsKeepTheirIcons()
    {
        CLoginDlg dlg;
        for (const char* name : {"m_btnLogin", "m_btnExit"}) {
            auto* button = dlg.findChild<CSkinButton*>(QString::fromLatin1(name));
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(button, &enter);
            QVERIFY2(!button->icon().isNull(), name);
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(button, &leave);
            QVERIFY2(!button->icon().isNull(), name);
        }
    }

    // The name box opens with the focus and its name selected, so that a name typed at once
    // replaces it. A wrong password empties both fields and leaves the focus where it was.
    void wrongPasswordEmptiesBothFields()
    {
        CLoginDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QVERIFY(nameBox(dlg)->hasFocus());
        QCOMPARE(nameBox(dlg)->lineEdit()->selectedText(), QStringLiteral("超级用户"));
        auto* login = dlg.findChild<CSkinButton*>(QStringLiteral("m_btnLogin"));
        QTest::keyClicks(passwordEdit(dlg), "wrong");
        QTest::mouseClick(login, Qt::LeftButton);
        QCOMPARE(prompter().lastText(), QStringLiteral("用户名或密码错误！"));
        QCOMPARE(nameBox(dlg)->currentText() + passwordEdit(dlg)->text(), QString());
        QCOMPARE(QApplication::focusWidget(), login);
        nameBox(dlg)->setEditText(QStringLiteral("超级用户"));
        QTest::keyClicks(passwordEdit(dlg), "123456");
        QTest::mouseClick(login, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

    void namesAreSortedByPinyin()
    {
        for (const char* name : {"王五", "张三", "admin", "李四"})
            QVERIFY(addOperator(QString::fromUtf8(name), QStringLiteral("x")));
        // The zh_CN collation orders Chinese names by pinyin, ahead of Latin ones.
        QCOMPARE(operatorNames(theApp().m_ado), (QStringList{"超级用户", "李四", "王五", "张三", "admin"}));
        CLoginDlg dlg;
        QCOMPARE(nameBox(dlg)->currentText(), QStringLiteral("超级用户"));
    }

    void missingOrForeignDatabaseEnds_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a database") << QByteArray("just some text\n");
    }

    void missingOrForeignDatabaseEnds()
    {
        QFETCH(QByteArray, content);
        theApp().m_ado.ExitConnect();
        QFile::remove(m_work->folder.databasePath());
        if (!content.isEmpty())
            QVERIFY(writeFile(m_work->folder.databasePath(), content));
        CLibraryApp app;
        QVERIFY(app.InitInstance() != 0);
        QCOMPARE(prompter().texts(), QStringList{QStringLiteral("ADO连接错误！")});
        // Message boxes without a caption of their own carry the program's name; window
        // titles carry their own caption alone (Qt appends a display name once one is set).
        QCOMPARE(prompter().messages[0].caption, QStringLiteral("图书管理系统"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        QCOMPARE(QFile::exists(m_work->folder.databasePath()), !content.isEmpty());
    }

    void refusedLoginEndsWithCodeOne()
    {
        theApp().m_strOperator.clear();
        QString operatorDuringLogin;
        QTimer::singleShot(0, [&] {
            operatorDuringLogin = theApp().m_strOperator;
            QApplication::activeModalWidget()->close();
        });
        CLibraryApp app;
        QCOMPARE(app.InitInstance(), 1);
        QCOMPARE(operatorDuringLogin, QStringLiteral("超级用户"));
    }

    // The application, from its first window on, counts a double click on a push button as
    // two clicks.
    void applicationCountsADoubleClickTwice()
    {
        int clicks = -1;
        QTimer::singleShot(0, [&] {
            QWidget* login = QApplication::activeModalWidget();
            auto* button = new QPushButton(QStringLiteral("保存"), login);
            button->show();
            int count = 0;
            connect(button, &QPushButton::clicked, [&count] { ++count; });
            doubleClick(button);
            clicks = count;
            login->close();
        });
        CLibraryApp app;
        QCOMPARE(app.InitInstance(), 1);
        QCOMPARE(clicks, 2);
    }

    // Each command opens its window over the main window; a command whose window is not
    // built yet stays disabled. Every command that opens a window today must keep doing so.
    void everyCommandReachesItsWindow()
    {
        CLibraryDlg dlg;
        for (int id : MainMenu::allCommands()) {
            if (id == 32795 || id == 1008 || id == 32815 || MainMenu::isEmptyCommand(id))
                continue;
            const QString which = QString::number(id);
            const auto expected = expectedWindows().find(id);
            QVERIFY2(expected != expectedWindows().end(), qPrintable(which));
            m_opened.clear();
            m_owners.clear();
            dlg.OnCommand(id);
            const bool built = CommandTable::instance().has(MainMenu::target(id));
            QVERIFY2(built || !builtToday().contains(id), qPrintable(which));
            QCOMPARE(m_opened, built ? QStringList{QString::fromLatin1(expected->second)} : QStringList());
            QCOMPARE(m_owners, built ? QList<QWidget*>{&dlg} : QList<QWidget*>());
            if (QAction* act = dlg.action(id))
                QVERIFY2(act->isEnabled() == built, qPrintable(which));
        }
        QVERIFY(prompter().messages.isEmpty());
    }

    // The toolbar's eight buttons, in order, each with its caption and its icon.
    void toolbarButtonsCarryTheirIcons()
    {
        const QList<std::pair<QString, int>> buttons = {
            {"操 作 员", 188}, {"添加图书", 313}, {"图书借阅", 207}, {"期刊借阅", 315},
            {"读者管理", 206}, {"借阅查询", 143}, {"图书查询", 242}, {"退出系统", 205}};
        CLibraryDlg dlg;
        const QList<QAction*> actions = child<QToolBar>(dlg, "m_wndToolBar")->actions();
        QCOMPARE(actions.size(), buttons.size());
        const QSize size(38, 38);
        QList<QImage> pictures;
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            const QImage picture = resourceIcon(buttons[i].second).pixmap(size).toImage();
            pictures << picture;
            QCOMPARE(actions[i]->text(), buttons[i].first);
            QCOMPARE(actions[i]->data().toInt(), 1001 + int(i));
            QVERIFY2(actions[i]->icon().pixmap(size).toImage() == picture, qPrintable(buttons[i].first));
        }
        // Eight pictures of their own, so that no button could show another's by mistake unseen.
        for (const QImage& picture : pictures)
            QCOMPARE(pictures.count(picture), 1);
    }

    // 使用说明 shows the program's help page in a window of its own beside the main window;
    // a missing page is not reported.
    void helpShowsThePage_data()
    {
        QTest::addColumn<bool>("pagePresent");
        QTest::newRow("shown") << true;
        QTest::newRow("no page") << false;
    }

    void helpShowsThePage()
    {
        QFETCH(bool, pagePresent);
        const QString page = m_work->folder.path() + QStringLiteral("/help.html");
        if (pagePresent)
            QVERIFY(QFile::copy(QStringLiteral(SCHOOLLIB_SOURCE_DIR "/share/help.html"), page));
        CLibraryDlg dlg;
        dlg.show();
        dlg.OnCommand(MainMenu::Help);
        auto* viewer = dlg.findChild<QDialog*>(QStringLiteral("m_dlgPage"));
        QCOMPARE(viewer != nullptr, pagePresent);
        QVERIFY(prompter().messages.isEmpty());
        if (!pagePresent)
            return;
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        QCOMPARE(viewer->windowTitle(), QStringLiteral("图书管理系统 使用说明"));
        const QString text = viewer->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("初始密码为 123456")));
    }

    // The book entry window, the book search page, the lending page, the reader entry window
    // and the three print windows with two lists show their tips in blue, 150 ms after the
    // mouse comes to rest.
    void blueTipWindows_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("carrier");  // the page that carries the tips, or the window
        QTest::newRow("book entry") << 32796 << "CBookAddDlg";
        QTest::newRow("book search") << 32808 << "CBookSearchPage";
        QTest::newRow("lending") << 32801 << "CBookLendPage";
        QTest::newRow("reader entry") << 32805 << "CReaderAddDlg";
        QTest::newRow("spine labels") << 32845 << "CBookLabelPrintDlg";
        QTest::newRow("reader cards") << 32846 << "CReaderCardPrintDlg";
        QTest::newRow("book barcodes") << 32855 << "CBookBarcodePrintDlg";
    }

    void blueTipWindows()
    {
        QFETCH(int, command);
        QFETCH(QString, carrier);
        std::unique_ptr<QDialog> window = CommandTable::instance().create(command);
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QWidget* scope = window.get();
        if (carrier != QLatin1String(window->metaObject()->className())) {
            const QList<QWidget*> pages = window->findChildren<QWidget*>();
            const auto page = std::find_if(pages.begin(), pages.end(), [&](QWidget* widget) {
                return carrier == QLatin1String(widget->metaObject()->className());
            });
            QVERIFY(page != pages.end());
            scope = *page;
        }
        QList<QWidget*> tipped;
        for (QWidget* widget : scope->findChildren<QWidget*>())
            if (!widget->toolTip().isEmpty())
                tipped << widget;
        QVERIFY(!tipped.isEmpty());
        for (QWidget* widget : tipped)
            QCOMPARE(widget->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, widget), 150);
        QWidget* first = tipped.first();
        first->window()->activateWindow();
        const QPoint where = first->rect().center();
        QHelpEvent hover(QEvent::ToolTip, where, first->mapToGlobal(where));
        QApplication::sendEvent(first, &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        QImage tip;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->windowType() == Qt::ToolTip && widget->isVisible())
                tip = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int blue = 0;
        for (int y = 0; y < tip.height(); ++y)
            for (int x = 0; x < tip.width(); ++x)
                blue += tip.pixel(x, y) == qRgb(0, 0, 255);
        QVERIFY2(blue >= 20, qPrintable(first->objectName()));
        QToolTip::hideText();
    }

    // The README's list of what is not built yet names exactly the menu entries that are
    // disabled, so it stays true as windows are added.
    void readmeNamesTheDisabledEntries()
    {
        CLibraryDlg dlg;
        QStringList disabled;
        for (const MainMenu::Popup& popup : MainMenu::popups())
            for (const MainMenu::Entry& entry : popup.entries)
                if (entry.id != 0 && !dlg.action(entry.id)->isEnabled())
                    disabled << popup.title + entry.caption;
        QStringList listed = readmeNotBuilt();
        disabled.sort();
        listed.sort();
        QCOMPARE(listed, disabled);
    }

    void failingCaptionQueryLeavesCaptionEmpty_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("no row") << "delete from tushuguaninfo";
        QTest::newRow("null name") << "update tushuguaninfo set 图书馆名=null";
        QTest::newRow("missing table") << "drop table tushuguaninfo";
    }

    void failingCaptionQueryLeavesCaptionEmpty()
    {
        QFETCH(QString, sql);
        QVERIFY(theApp().m_ado.ExecuteSql(sql));
        CLibraryDlg dlg;
        QCOMPARE(dlg.windowTitle(), QString());
        QVERIFY(prompter().messages.isEmpty());
    }

    // Closing the window (command 0) or either exit command asks about the backup; Yes writes
    // Database/bak/book(N).db for weekday N, creating bak, and reports a backup that fails.
    void closingOffersTheBackup_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("file");
        const QDate wednesday(2017, 4, 12);
        QTest::newRow("close, yes") << 0 << wednesday << int(QMessageBox::Yes) << "book(3).db";
        QTest::newRow("close, no") << 0 << wednesday << int(QMessageBox::No) << "";
        QTest::newRow("close, cancel") << 0 << wednesday << int(QMessageBox::Cancel) << "";
        QTest::newRow("exit, cancel") << 1008 << wednesday << int(QMessageBox::Cancel) << "";
        QTest::newRow("exit on sunday, yes") << 32795 << QDate(2017, 4, 9) << int(QMessageBox::Yes) << "book(0).db";
        QTest::newRow("bak is a file") << 32795 << wednesday << int(QMessageBox::Yes) << "bak";
    }

    void closingOffersTheBackup()
    {
        QFETCH(int, command);
        QFETCH(QDate, date);
        QFETCH(int, answer);
        QFETCH(QString, file);
        m_work->seams.clock.set(QDateTime(date, QTime(18, 0)));
        const QString bak = m_work->folder.path() + QStringLiteral("/Database/bak");
        QVERIFY(QDir().rmdir(bak));
        if (file == QStringLiteral("bak"))
            QVERIFY(QFile(bak).open(QIODevice::WriteOnly));
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into gonggao values (?, ?)"),
                                          {QStringLiteral("通知"), QStringLiteral("周五闭馆")}));
        CLibraryDlg dlg;
        dlg.show();
        // Enter and Esc must neither close the window nor ask anything.
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QTest::keyClick(&dlg, Qt::Key_Return);
        prompter().answers << QMessageBox::StandardButton(answer);
        if (command)
            dlg.OnCommand(command);
        else
            dlg.close();
        QCOMPARE(dlg.isVisible(), answer == QMessageBox::Cancel);
        QCOMPARE(prompter().messages[0].text, QStringLiteral("退出之前备份数据吗?"));
        QCOMPARE(prompter().messages[0].caption, QStringLiteral("警告！"));
        if (file == QStringLiteral("bak")) {
            QCOMPARE(prompter().messages.size(), 2);
            QVERIFY(prompter().messages[1].text.startsWith(QStringLiteral("数据备份失败")));
            return;
        }
        QCOMPARE(prompter().messages.size(), 1);
        QCOMPARE(QFileInfo::exists(bak), !file.isEmpty());
        if (file.isEmpty())
            return;
        CAdoConn copy;
        QVERIFY(copy.Connect(bak + QLatin1Char('/') + file));
        QCOMPARE(copy.GetRecordSet(QStringLiteral("select 内容 from gonggao"))->GetCollect(0), QStringLiteral("周五闭馆"));
    }

    // scripts/run hands a job count to the build and whatever follows it to the program. The
    // script runs in a copy of the source tree whose other scripts and program only note the
    // options they were given.
    void runScriptTakesAJobCount_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("build");
        QTest::addColumn<QString>("program");
        QTest::newRow("none") << QStringList{} << "--program" << "";
        QTest::newRow("-j 2") << QStringList{"-j", "2"} << "-j 2 --program" << "";
        QTest::newRow("-j2") << QStringList{"-j2"} << "-j 2 --program" << "";
        QTest::newRow("program options after it") << QStringList{"-j", "1", "-platform", "offscreen"}
                                                  << "-j 1 --program" << "-platform offscreen";
        QTest::newRow("program options alone") << QStringList{"-platform", "offscreen"} << "--program"
                                               << "-platform offscreen";
    }

    void runScriptTakesAJobCount()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, build);
        QFETCH(QString, program);
        QTemporaryDir tree;
        QVERIFY(QDir(tree.path()).mkpath(QStringLiteral("scripts")) && QDir(tree.path()).mkpath(QStringLiteral("build/src/app")));
        const QString run = tree.filePath(QStringLiteral("scripts/run"));
        QVERIFY(QFile::copy(QStringLiteral(SCHOOLLIB_SOURCE_DIR "/scripts/run"), run));
        const auto stub = [&](const QString& path, const QByteArray& body) {
            QVERIFY(writeFile(tree.filePath(path), "#!/bin/sh\n" + body + "\n"));
            QVERIFY(QFile::setPermissions(tree.filePath(path), QFile::ReadOwner | QFile::ExeOwner));
        };
        stub(QStringLiteral("scripts/install-deps"), "true");
        stub(QStringLiteral("scripts/prepare-folder"), "true");
        stub(QStringLiteral("scripts/build"), "echo \"$*\" > \"$(dirname \"$0\")/../build-options\"");
        stub(QStringLiteral("build/src/app/schoollib"), "echo \"$*\" > \"$(dirname \"$0\")/../../../program-options\"");
        QProcess script;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("SCHOOLLIB_HOME"), tree.path());
        script.setProcessEnvironment(env);
        script.start(run, options);
        QVERIFY(script.waitForFinished(30000));
        QCOMPARE(script.exitCode(), 0);
        QCOMPARE(fileBytes(tree.filePath(QStringLiteral("build-options"))).trimmed(), build.toUtf8());
        QCOMPARE(fileBytes(tree.filePath(QStringLiteral("program-options"))).trimmed(), program.toUtf8());
    }

    // Enter on a push button with the focus presses it where the window keeps the usual
    // dialog keys, and moves the focus on where the window turns Enter into Tab (the periodical
    // entry window swallows it). Elsewhere Enter presses the window's default button where it
    // has one, else moves on; it never closes a window.
    void enterKeys_data()
    {
        QTest::addColumn<QString>("window");   // a command, or a window that no command opens
        QTest::addColumn<int>("tab");          // the page shown; -1: a window without tabs
        QTest::addColumn<QString>("target");   // the widget with the focus
        QTest::addColumn<QString>("pressed");  // the button Enter presses; empty: none
        QTest::addColumn<bool>("movesOn");     // where nothing is pressed: the focus moves on
        const struct {
            const char* row;
            const char* window;
            int tab;
            const char* target;
            const char* pressed;
            bool movesOn;
        } rows[] = {
            {"library information", "32793", -1, "m_btnModify", "m_btnModify", false},
            {"notice board", "32885", -1, "m_btnDelete", "m_btnDelete", false},
            {"book types", "32799", -1, "m_btnDelete", "m_btnDelete", false},
            {"book types, field", "32799", -1, "m_edtUpper", "", true},
            {"publishers", "32800", -1, "m_btnAdd", "m_btnAdd", false},
            {"reader types", "32807", -1, "m_btnDelete", "m_btnDelete", false},
            {"reader departments", "32821", -1, "m_btnDelete", "m_btnDelete", false},
            {"book statistics", "32808", 2, "m_btnExport", "m_btnExport", false},
            {"periodical search", "32842", 0, "m_btnPrev", "m_btnPrev", false},
            {"periodical loans", "32842", 1, "m_btnExport", "m_btnExport", false},
            {"periodical loans, list", "32842", 1, "m_list", "m_btnQuery", false},
            {"periodical losses", "32842", 3, "m_btnQuery", "m_btnQuery", false},
            {"periodical losses, list", "32842", 3, "m_list", "m_btnQuery", false},
            {"book barcodes", "32855", -1, "m_btnCandidatePrevious", "m_btnCandidatePrevious", false},
            {"spine labels", "32845", -1, "m_btnCandidatePrevious", "m_btnCandidatePrevious", false},
            {"reader cards", "32846", -1, "m_btnPrintPrevious", "m_btnPrintPrevious", false},
            {"custom barcodes", "32856", -1, "m_btnPrevious", "m_btnPrevious", false},
            {"custom cards", "32857", -1, "m_btnPrevious", "m_btnPrevious", false},
            {"barcode settings", "barcode settings", -1, "m_btnDefault", "m_btnDefault", false},
            {"barcode settings 2", "barcode settings 2", -1, "m_btnCancel", "m_btnCancel", false},
            {"label settings", "label settings", -1, "m_btnDefault", "m_btnDefault", false},
            {"unit settings", "unit settings", -1, "m_btnDelete", "m_btnDelete", false},
            {"upload settings", "32849", -1, "m_btnCancel", "m_btnCancel", false},
            {"upload settings, field", "32849", -1, "m_editUnit", "m_btnOK", false},
            {"upload settings, choice", "32849", -1, "m_radioNo", "m_btnOK", false},
            {"unit figures", "32884", -1, "m_btnLamp", "m_btnLamp", false},
            {"statistics upload", "32824", -1, "m_btnBrowseUpload", "m_btnBrowseUpload", false},
            {"statistics upload, field", "32824", -1, "m_editServer", "", true},
            {"statistics download", "32825", -1, "m_btnRemoveFile", "m_btnRemoveFile", false},
            {"ftp upload", "32850", -1, "m_btnBrowseUpload", "m_btnBrowseUpload", false},
            {"ftp download", "32851", -1, "m_btnRemoveFile", "m_btnRemoveFile", false},
            {"database engine", "database engine", -1, "m_btnTest", "m_btnTest", false},
            {"database engine, field", "database engine", -1, "m_editServer", "", true},
            {"database service", "database service", -1, "m_btnTest", "m_btnTest", false},
            {"database service run", "database service run", -1, "m_btnStop", "m_btnStop", false},
            {"backup", "32813", -1, "m_btnBrowse", "m_btnBrowse", false},
            {"backup, field", "32813", -1, "m_editPath", "", true},
            {"restore", "32814", -1, "m_btnBrowse", "m_btnBrowse", false},
            {"restore, field", "32814", -1, "m_editPath", "", true},
            {"initialisation", "32794", -1, "m_btnConfirm", "m_btnConfirm", false},
            {"initialisation, box", "32794", -1, "check_bkinfo", "", true},
            {"reader import", "32835", -1, "m_btnBrowse", "m_btnBrowse", false},
            {"reader import, list", "32835", -1, "m_list", "", true},
            {"book import", "32798", -1, "m_btnBrowse", "m_btnBrowse", false},
            {"book import, list", "32798", -1, "m_list", "m_btnImport", false},
            {"book asset report", "32876", -1, "m_btnPrev", "m_btnPrev", false},
            {"book asset report, field", "32876", -1, "m_editSearch", "m_btnQuery", false},
            {"repair", "32887", -1, "m_btnCancel", "m_btnCancel", false},
            {"marc import, list", "32852", -1, "m_list", "", true},
            {"reader template, list", "32836", -1, "m_list", "", true},
            {"school lending history", "32848", 0, "m_btnQuery", "m_btnQuery", false},
            {"school lending history, unit", "32848", 0, "m_cboUnit", "", true},
            {"book loss report", "32878", -1, "m_btnQueryOut", "m_btnQueryOut", false},
            {"periodical loss of a lent copy", "32873", -1, "m_btnReportLoss", "m_btnReportLoss", false},
            {"calculator", "calculator", -1, "m_btnCancel", "m_btnCancel", false},
            {"system calculator", "32847", -1, "m_btnCancel", "m_btnCancel", false},
            {"login", "login", -1, "m_btnExit", "m_btnExit", false},
            {"login, field", "login", -1, "m_edtPassword", "m_btnLogin", false},
            {"administrators", "32791", -1, "m_btnDelete", "", true},
            {"book search", "32808", 0, "m_btnSearch", "", true},
            {"lost books", "32808", 1, "m_btnQuery", "", true},
            {"current loans", "32820", 0, "m_btnExport", "", true},
            {"lending summary", "32820", 3, "m_btnExport", "", true},
            {"loss of a lent book", "32804", -1, "m_btnReportLoss", "", true},
            {"reader entry", "32805", -1, "m_btnSearch", "", true},
            {"periodical lending", "32839", -1, "m_btnSearch", "", true},
            {"periodical entry", "32840", -1, "m_btnSave", "", false},
        };
        for (const auto& row : rows)
            QTest::newRow(row.row) << QString::fromUtf8(row.window) << row.tab << QString::fromLatin1(row.target)
                                   << QString::fromLatin1(row.pressed) << row.movesOn;
    }

    void enterKeys()
    {
        QFETCH(QString, window);
        QFETCH(int, tab);
        QFETCH(QString, target);
        QFETCH(QString, pressed);
        QFETCH(bool, movesOn);
        QStringList clicked;
        std::unique_ptr<QDialog> dlg = openWindow(window);
        QVERIFY(dlg);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        QWidget* scope = dlg.get();
        if (tab >= 0) {
            auto* tabs = dlg->findChild<QTabWidget*>();
            tabs->setCurrentIndex(tab);
            scope = tabs->widget(tab);
        }
        auto* focus = scope->findChild<QWidget*>(target);
        QVERIFY(focus);
        for (QPushButton* button : dlg->findChildren<QPushButton*>())
            connect(button, &QPushButton::clicked, dlg.get(), [&clicked, button] { clicked << button->objectName(); });
        focus->setFocus();
        QCOMPARE(QApplication::focusWidget(), focus);
        QTest::keyClick(focus, Qt::Key_Return);
        QCOMPARE(clicked, pressed.isEmpty() ? QStringList() : QStringList{pressed});
        if (pressed.isEmpty()) {
            QVERIFY(dlg->isVisible());
            QCOMPARE(QApplication::focusWidget() != focus, movesOn);
        }
    }

    void onlyLeftCtrlLOpensLendingHistoryImport_data()
    {
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<bool>("opens");
        QTest::newRow("left ctrl") << quint32(37) << true;
        QTest::newRow("right ctrl") << quint32(105) << false;
    }

    void onlyLeftCtrlLOpensLendingHistoryImport()
    {
        QFETCH(quint32, scanCode);
        QFETCH(bool, opens);
        const bool registered = CommandTable::instance().has(MainMenu::ImportLendHistory);
        if (!registered)
            addWindow<QDialog>(CommandTable::instance(), MainMenu::ImportLendHistory);
        CLibraryDlg dlg;
        dlg.show();
        sendKey(&dlg, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, scanCode);
        sendKey(&dlg, QEvent::KeyPress, Qt::Key_L, Qt::ControlModifier, 46);
        sendKey(&dlg, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, scanCode);
        QCOMPARE(m_opened.size(), opens ? 1 : 0);
        sendKey(&dlg, QEvent::KeyPress, Qt::Key_L, Qt::NoModifier, 46);
        QCOMPARE(m_opened.size(), opens ? 1 : 0);
        if (!registered)
            CommandTable::instance().remove(MainMenu::ImportLendHistory);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
