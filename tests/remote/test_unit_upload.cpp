#include "controls/ReportListCtrl.h"
#include "db/AdoConn.h"
#include "db/AppState.h"
#include "remote/RemoteLink.h"
#include "remote/SchoolFigures.h"
#include "remote/SetupIni.h"
#include "remote/UnitInfoUploadDlg.h"
#include "remote/UnitSetDlg.h"
#include "remote/UploadSetPage.h"
#include "remote/UploadTabDlg.h"
#include "support/RemoteTestServer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QtTest>

namespace {
QLineEdit* edit(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }
void click(QWidget& w, const char* name) { w.findChild<QPushButton*>(name)->click(); }

// A port on which nothing listens.
int closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

UnitFigures figures(const QString& school, const QString& holdings = QStringLiteral("1200"))
{
    return {school, holdings, QStringLiteral("300"), QStringLiteral("张老师"), QStringLiteral("120"),
            QStringLiteral("80"), QStringLiteral("2017-04-11"), QStringLiteral("李四")};
}
}

// The school's row in the remote table1 and the windows that write it, against the MariaDB
// server of the test fixture.
class TestUnitUpload : public QObject {
    Q_OBJECT

    RemoteTestServer m_server{QStringLiteral("unit_upload")};
    std::optional<Workplace> m_work;

    // Runs on the remote link, as the windows do.
    template <typename R>
    R onLink(std::function<R(CAdoConn&)> job)
    {
        std::optional<R> result;
        RemoteLink::instance().Run<R>(this, job, [&](const R& r) { result = r; });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000); }();
        return result.value_or(R());
    }
    int upload(const UnitFigures& f)
    {
        return onLink<int>([&](CAdoConn& c) { return int(SchoolFiguresTable(c).upload(f)); });
    }
    bool connectLink(int port)
    {
        std::optional<bool> ok;
        RemoteLink::instance().Connect(m_server.server(port), this, [&](bool connected, const QString&) { ok = connected; });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(ok.has_value(), 10000); }();
        return ok.value_or(false);
    }
    QStringList messages() const { return m_work->seams.prompter.texts(); }
    bool waitForMessage()
    {
        return QTest::qWaitFor([this] { return !m_work->seams.prompter.messages.isEmpty(); }, 10000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(RemoteTestServer::port() > 0, "the test server wrote no port");
        RemoteLink::instance().setTimeoutSeconds(2);
    }
    void init()
    {
        QVERIFY(m_work.emplace().folder.isReady());
        QVERIFY2(m_server.prepare(), qPrintable(m_server.error()));
        QVERIFY(m_server.writeSettings(RemoteTestServer::port()));
    }
    void cleanup() { m_work.reset(); }

    // Before any connection in this run, nothing can be uploaded.
    void uploadNeedsTheConnectionOfThisRun()
    {
        QVERIFY(!connectLink(closedPort()));
        CUnitInfoUploadDlg dlg;
        edit(dlg, "m_editUnit")->setText(QStringLiteral("实验小学"));
        click(dlg, "m_btnUpload");
        QCOMPARE(messages(), QStringList{QStringLiteral("上传数据失败！")});
        QVERIFY(m_server.rows().isEmpty());
    }

    void firstUploadInsertsSecondUpdates_data()
    {
        QTest::addColumn<QString>("school");
        QTest::newRow("plain") << QStringLiteral("实验小学");
        QTest::newRow("quotes") << QStringLiteral("O'Brien \"第一\" `中学` \\ 100%");
        QTest::newRow("injection") << QStringLiteral("x' or '1'='1");
    }
    void firstUploadInsertsSecondUpdates()
    {
        QFETCH(QString, school);
        QVERIFY(connectLink(RemoteTestServer::port()));
        QVERIFY(m_server.execute(QStringLiteral("insert into table1 (学校名称, 馆藏数量) values ('其他学校', '7')")));
        using Written = SchoolFiguresTable::Written;
        QCOMPARE(upload(figures(school)), int(Written::Inserted));
        QCOMPARE(upload(figures(school, "1300")), int(Written::Updated));
        QCOMPARE(m_server.rows(QStringLiteral("学校名称, 馆藏数量, 读者数量, 管理人员名单, 报表时间, 报表人")),
                 QStringList({QStringLiteral("其他学校|7||||"),
                              school + QStringLiteral("|1300|300|张老师|2017-04-11|李四")}));
    }

    void ofDuplicateNamesOneRowChanges()
    {
        QVERIFY(connectLink(RemoteTestServer::port()));
        for (int i = 0; i < 2; ++i)
            QVERIFY(m_server.execute(QStringLiteral("insert into table1 (学校名称, 馆藏数量) values ('实验小学', '1')")));
        upload(figures(QStringLiteral("实验小学")));
        QCOMPARE(m_server.rows(QStringLiteral("学校名称, 馆藏数量")),
                 QStringList({QStringLiteral("实验小学|1200"), QStringLiteral("实验小学|1")}));
    }

    // A server whose table keeps GBK text still gets the name whole.
    void gbkTableKeepsTheName()
    {
        QVERIFY2(m_server.prepare(QStringLiteral("convert to character set gbk")), qPrintable(m_server.error()));
        QVERIFY(connectLink(RemoteTestServer::port()));
        upload(figures(QStringLiteral("实验小学")));
        onLink<qint64>([](CAdoConn& c) {
            return SchoolFiguresTable(c).updateCounts(QStringLiteral("实验小学"), {1, 2, 3, 4, 5});
        });
        QCOMPARE(m_server.rows(QStringLiteral("学校名称, 在馆图书数量, 教师读者数量")),
                 QStringList{QStringLiteral("实验小学|1|5")});
    }

    // The window: its figures from the catalogue, the connection, a new name saved.
    void windowUploadsWhatItShows()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(
            QStringLiteral("insert into bkinfo (图书编号, 书名) values ('B1', '红楼梦'), ('B2', '水浒传')")));
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into readerinfo (编号, 姓名) values ('R1', '张三')")));
        SetupIni ini;
        ini.setValue(QStringLiteral("Unit"), QStringLiteral("name"), QStringLiteral("实验小学"));
        ini.setValue(QStringLiteral("Net"), QStringLiteral("id"), QStringLiteral("old.invalid"));
        QVERIFY(ini.save());
        QVERIFY(m_server.execute(QStringLiteral("insert into table1 (学校名称, 馆藏数量) values ('实验小学', '1')")));

        CUnitInfoUploadDlg dlg;
        QStringList shown;
        for (const char* name : {"m_editServer", "m_editUnit", "m_editReportDate", "m_editHoldings", "m_editReaders"})
            shown << edit(dlg, name)->text();
        QCOMPARE(shown, (QStringList{"old.invalid", "实验小学", "2017-04-11", "2", "1"}));

        edit(dlg, "m_editServer")->setText(QStringLiteral("127.0.0.1"));
        click(dlg, "m_btnConnect");
        QVERIFY(!dlg.findChild<QPushButton*>("m_btnUpload")->isEnabled());
        QVERIFY(waitForMessage());
        QCOMPARE(messages(), QStringList{QStringLiteral("远程连接成功！")});
        QCOMPARE(SetupIni::read(QStringLiteral("Net"), QStringLiteral("id")), QStringLiteral("127.0.0.1"));

        // A changed name is a new row and becomes the library's own name.
        edit(dlg, "m_editUnit")->setText(QStringLiteral("第二中学"));
        edit(dlg, "m_editHoldings")->setText(QStringLiteral("99"));
        m_work->seams.prompter.messages.clear();
        click(dlg, "m_btnUpload");
        QVERIFY(waitForMessage());
        QCOMPARE(messages(), QStringList{QStringLiteral("上传数据成功！")});
        QCOMPARE(m_server.rows(QStringLiteral("学校名称, 馆藏数量, 报表时间")),
                 QStringList({QStringLiteral("实验小学|1|"), QStringLiteral("第二中学|99|2017-04-11")}));
        QCOMPARE(SetupIni::read(QStringLiteral("Unit"), QStringLiteral("name")), QStringLiteral("第二中学"));
        // setup.ini holds a password: its owner's alone.
        QCOMPARE(QFile::permissions(SetupIni::path()) & 0x0077, QFileDevice::Permissions());
    }

    void connectionFailureIsSaid()
    {
        CUnitInfoUploadDlg dlg;
        edit(dlg, "m_editServer")->setText(QStringLiteral("127.0.0.1"));
        SetupIni ini;
        ini.setValue(QStringLiteral("Remote"), QStringLiteral("port"), QString::number(closedPort()));
        QVERIFY(ini.save());
        click(dlg, "m_btnConnect");
        QVERIFY(waitForMessage());
        QCOMPARE(messages(), QStringList{QStringLiteral("远程连接失败！")});
    }

    // A connection whose address cannot be kept says so instead of a bare success; once
    // setup.ini can be written again, the next 连接 keeps the address.
    void unsavedAddressIsSaid()
    {
        CUnitInfoUploadDlg dlg;
        edit(dlg, "m_editServer")->setText(QStringLiteral("127.0.0.1"));
        click(dlg, "m_btnConnect");
        // The answer comes through the event loop: setup.ini is out of reach before it.
        QVERIFY(QFile::rename(SetupIni::path(), QStringLiteral("setup.kept")));
        QVERIFY(QDir().mkdir(SetupIni::path()));
        QVERIFY(waitForMessage());
        QCOMPARE(messages(), QStringList{QStringLiteral("远程连接成功，但无法保存设置！")});
        QVERIFY(QDir().rmdir(SetupIni::path()));
        QVERIFY(QFile::rename(QStringLiteral("setup.kept"), SetupIni::path()));
        m_work->seams.prompter.messages.clear();
        click(dlg, "m_btnConnect");
        QVERIFY(waitForMessage());
        QCOMPARE(messages(), QStringList{QStringLiteral("远程连接成功！")});
        QCOMPARE(SetupIni::read(QStringLiteral("Net"), QStringLiteral("id")), QStringLiteral("127.0.0.1"));
    }

    // A row written while setup.ini cannot take the school's name says both; once it can,
    // the next upload keeps the name.
    void unsavedSchoolNameIsSaid()
    {
        QVERIFY(connectLink(RemoteTestServer::port()));
        CUnitInfoUploadDlg dlg;
        edit(dlg, "m_editUnit")->setText(QStringLiteral("实验小学"));
        QVERIFY(QFile::rename(SetupIni::path(), QStringLiteral("setup.kept")));
        QVERIFY(QDir().mkdir(SetupIni::path()));
        click(dlg, "m_btnUpload");
        QVERIFY(waitForMessage());
        QCOMPARE(messages(), QStringList{QStringLiteral("上传数据成功，但无法把学校名称保存到setup.ini！")});
        QCOMPARE(m_server.rows(QStringLiteral("学校名称")), QStringList{QStringLiteral("实验小学")});
        QVERIFY(QDir().rmdir(SetupIni::path()));
        QVERIFY(QFile::rename(QStringLiteral("setup.kept"), SetupIni::path()));
        m_work->seams.prompter.messages.clear();
        click(dlg, "m_btnUpload");
        QVERIFY(waitForMessage());
        QCOMPARE(messages(), QStringList{QStringLiteral("上传数据成功！")});
        QCOMPARE(m_server.rows(QStringLiteral("学校名称")), QStringList{QStringLiteral("实验小学")});
        QCOMPARE(SetupIni::read(QStringLiteral("Unit"), QStringLiteral("name")), QStringLiteral("实验小学"));
    }

    // Reachable from code only: the unit name and the report date, read again.
    void refreshTakesTheNameAndToday()
    {
        CUnitInfoUploadDlg dlg;
        edit(dlg, "m_editUnit")->setText(QStringLiteral("手写的名称"));
        edit(dlg, "m_editReportDate")->setText(QStringLiteral("2016-01-01"));
        edit(dlg, "m_editHoldings")->setText(QStringLiteral("99"));
        SetupIni ini;
        ini.setValue(QStringLiteral("Unit"), QStringLiteral("name"), QStringLiteral("实验小学"));
        QVERIFY(ini.save());
        m_work->seams.clock.set(QDateTime(QDate(2017, 3, 5), QTime(8, 0)));
        dlg.OnRefreshUnitDate();
        QStringList shown;
        for (const char* name : {"m_editUnit", "m_editReportDate", "m_editHoldings"})
            shown << edit(dlg, name)->text();
        QCOMPARE(shown, (QStringList{"实验小学", "2017-03-05", "99"}));
    }

    void settingsPageKeepsItsKeys_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("yes");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("other") << "yes" << false;
        QTest::newRow("missing") << "" << false;
    }
    void settingsPageKeepsItsKeys()
    {
        QFETCH(QString, link);
        QFETCH(bool, yes);
        SetupIni ini;
        if (!link.isEmpty())
            ini.setValue(QStringLiteral("Net"), QStringLiteral("link"), link);
        ini.setValue(QStringLiteral("Unit"), QStringLiteral("name"), QStringLiteral("实验小学"));
        QVERIFY(ini.save());
        CUploadSetPage page;
        QCOMPARE(page.findChild<QRadioButton*>("m_radioYes")->isChecked(), yes);
        QCOMPARE(page.findChild<QRadioButton*>("m_radioNo")->isChecked(), !yes);
        QCOMPARE(edit(page, "m_editUnit")->text(), QStringLiteral("实验小学"));
        page.findChild<QRadioButton*>(yes ? "m_radioNo" : "m_radioYes")->setChecked(true);
        edit(page, "m_editServer")->clear();
        click(page, "m_btnOK");
        QCOMPARE(SetupIni::read(QStringLiteral("Net"), QStringLiteral("link")), yes ? QStringLiteral("0") : QStringLiteral("1"));
        QCOMPARE(SetupIni::read(QStringLiteral("Net"), QStringLiteral("id"), QStringLiteral("<none>")), QString());
        QVERIFY(messages().isEmpty());
    }

    void settingsTestConnects_data()
    {
        QTest::addColumn<bool>("reachable");
        QTest::newRow("reached") << true;
        QTest::newRow("closed port") << false;
    }
    void settingsTestConnects()
    {
        QFETCH(bool, reachable);
        if (!reachable)
            QVERIFY(m_server.writeSettings(closedPort()));
        CUploadSetPage page;
        click(page, "m_btnTestConnect");
        QVERIFY(waitForMessage());
        QCOMPARE(messages(), QStringList{reachable ? QStringLiteral("远程连接成功！") : QStringLiteral("远程连接失败！")});
        QCOMPARE(RemoteLink::instance().IsOpen(), reachable);
    }

    void unitsAreKept()
    {
        CUnitSetDlg dlg;
        auto* list = dlg.findChild<CReportListCtrl*>("m_list");
        click(dlg, "m_btnAdd");
        edit(dlg, "m_editUnit")->setText(QStringLiteral("  "));
        click(dlg, "m_btnAdd");  // blanks are a name like any other
        QCOMPARE(list->GetItemCount(), 1);
        list->SetSelected(0, true);
        click(dlg, "m_btnDelete");
        edit(dlg, "m_editUnit")->setText(QStringLiteral("实验小学"));
        click(dlg, "m_btnAdd");
        click(dlg, "m_btnAdd");  // the same name again: the table keeps one
        edit(dlg, "m_editUnit")->setText(QStringLiteral("O'Brien"));
        click(dlg, "m_btnAdd");
        click(dlg, "m_btnDelete");
        QCOMPARE(messages(), QStringList({QStringLiteral("请输入单位名称!\n"), QStringLiteral("操作失败"),
                                          QStringLiteral("请选定数据!\n")}));
        QCOMPARE(list->GetItemCount(), 2);
        list->SetSelected(1, true);
        click(dlg, "m_btnDelete");
        QCOMPARE(list->GetItemCount(), 1);
        QCOMPARE(list->GetItemText(0, 0), QStringLiteral("实验小学"));
        QCOMPARE(edit(dlg, "m_editUnit")->text(), QString());
    }

    void tabWindowHoldsBothPages()
    {
        CUploadTabDlg dlg;
        auto* tab = dlg.findChild<QTabWidget*>("m_tab");
        QCOMPARE(tab->count(), 2);
        QCOMPARE(tab->tabText(0), QStringLiteral("数据上传设置"));
        QCOMPARE(tab->tabText(1), QStringLiteral("基本数据上传"));
        // Opened on their own, the pages show no title.
        QCOMPARE(CUploadSetPage().windowTitle(), QString());
        QCOMPARE(CUnitInfoUploadDlg().windowTitle(), QString());
        QVERIFY(!tab->widget(0)->isWindow() && !tab->widget(1)->isWindow());
    }
};

QTEST_MAIN(TestUnitUpload)
#include "test_unit_upload.moc"
