#include "app/LibraryApp.h"
#include "app/LibraryDlg.h"
#include "app/LoginCheck.h"
#include "app/LoginDlg.h"
#include "app/MainMenu.h"
#include "app/Windows.h"
#include "controls/CommandTable.h"
#include "core/PasswordHash.h"
#include "db/AdoConn.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
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

private slots:
    void initTestCase()
    {
        registerAllWindows(CommandTable::instance());
        CommandTable::instance().setRunner([this](QDialog& window) {
            m_opened << QString::fromLatin1(window.metaObject()->className());
        });
    }

    void init() { m_opened.clear(); }

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
        QTest::newRow("empty password") << "超级用户" << "" << empty;
        QTest::newRow("empty name") << "" << "123456" << empty;
    }

    void loginAttempts()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        QVERIFY(addOperator(QStringLiteral("O'Brien"), QStringLiteral("pa'ss")));
        CLoginDlg dlg;
        nameBox(dlg)->setEditText(name);
        passwordEdit(dlg)->setText(password);
        dlg.findChild<QPushButton*>(QStringLiteral("m_btnLogin"))->click();
        QCOMPARE(dlg.result() == QDialog::Accepted, message.isEmpty());
        QCOMPARE(seams.prompter.lastText(), message);
        QCOMPARE(theApp().m_strOperator, message.isEmpty() ? name : QStringLiteral("超级用户"));
        if (message != QStringLiteral("用户名或密码错误！"))
            return;
        QCOMPARE(nameBox(dlg)->currentText() + passwordEdit(dlg)->text(), QString());
        QCOMPARE(nameBox(dlg)->count(), 2);
    }

    void namesAreSortedByPinyin()
    {
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
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
        ScriptedSeams seams;
        TestProgramFolder folder;
        theApp().m_ado.ExitConnect();
        QFile::remove(folder.databasePath());
        if (!content.isEmpty()) {
            QFile file(folder.databasePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        CLibraryApp app;
        QVERIFY(app.InitInstance() != 0);
        QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("ADO连接错误！")});
        QCOMPARE(QFile::exists(folder.databasePath()), !content.isEmpty());
    }

    void refusedLoginEndsWithCodeOne()
    {
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
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

    void everyCommandReachesItsWindow()
    {
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        CLibraryDlg dlg;
        for (int id : MainMenu::allCommands()) {
            if (id == 32795 || id == 1008 || id == 32815 || MainMenu::isEmptyCommand(id))
                continue;
            const auto expected = expectedWindows().find(id);
            QVERIFY2(expected != expectedWindows().end(), qPrintable(QString::number(id)));
            m_opened.clear();
            dlg.OnCommand(id);
            const bool built = CommandTable::instance().has(MainMenu::target(id));
            QCOMPARE(m_opened, built ? QStringList{QString::fromLatin1(expected->second)} : QStringList());
            if (QAction* act = dlg.action(id))
                QVERIFY2(act->isEnabled() == built, qPrintable(QString::number(id)));
        }
        QVERIFY(seams.prompter.messages.isEmpty());
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
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(theApp().m_ado.ExecuteSql(sql));
        CLibraryDlg dlg;
        QCOMPARE(dlg.windowTitle(), QString());
        QVERIFY(seams.prompter.messages.isEmpty());
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
        ScriptedSeams seams(QDateTime(date, QTime(18, 0)));
        TestProgramFolder folder;
        const QString bak = folder.path() + QStringLiteral("/Database/bak");
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
        seams.prompter.answers << QMessageBox::StandardButton(answer);
        if (command)
            dlg.OnCommand(command);
        else
            dlg.close();
        QCOMPARE(dlg.isVisible(), answer == QMessageBox::Cancel);
        QCOMPARE(seams.prompter.messages[0].text, QStringLiteral("退出之前备份数据吗?"));
        QCOMPARE(seams.prompter.messages[0].caption, QStringLiteral("警告！"));
        if (file == QStringLiteral("bak")) {
            QCOMPARE(seams.prompter.messages.size(), 2);
            QVERIFY(seams.prompter.messages[1].text.startsWith(QStringLiteral("数据备份失败")));
            return;
        }
        QCOMPARE(seams.prompter.messages.size(), 1);
        QCOMPARE(QFileInfo::exists(bak), !file.isEmpty());
        if (file.isEmpty())
            return;
        CAdoConn copy;
        QVERIFY(copy.Connect(bak + QLatin1Char('/') + file));
        QCOMPARE(copy.GetRecordSet(QStringLiteral("select 内容 from gonggao"))->GetCollect(0), QStringLiteral("周五闭馆"));
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
        ScriptedSeams seams;
        TestProgramFolder folder;
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
