#include "remote/DbEngineDlg.h"
#include "remote/DbServiceDlg.h"
#include "remote/DbServiceRunDlg.h"
#include "remote/RemoteLink.h"
#include "remote/SetupIni.h"
#include "support/RemoteTestServer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QtTest>

namespace {
QPushButton* button(QWidget& w, const char* name) { return w.findChild<QPushButton*>(name); }
}

// The windows of the local database service: the start and stop commands of setup.ini, and
// the connection test that keeps the address.
class TestDbService : public QObject {
    Q_OBJECT

    RemoteTestServer m_server{QStringLiteral("db_service")};
    std::optional<Workplace> m_work;
    QStringList texts() const { return m_work->seams.prompter.texts(); }

private slots:
    void initTestCase() { RemoteLink::instance().setTimeoutSeconds(2); }
    void init()
    {
        QVERIFY(m_work.emplace().folder.isReady());
        QVERIFY2(m_server.prepare(), qPrintable(m_server.error()));
        QVERIFY(m_server.writeSettings(RemoteTestServer::port()));
    }
    void cleanup() { m_work.reset(); }

    void connectionTestKeepsTheAddress()
    {
        CDbEngineDlg dlg;
        QVERIFY(!button(dlg, "m_btnConnect")->isEnabled());
        button(dlg, "m_btnTest")->click();
        QCOMPARE(texts(), QStringList{"请输入服务器地址！"});

        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const int closed = probe.serverPort();
        probe.close();
        QVERIFY(m_server.writeSettings(closed));
        dlg.findChild<QLineEdit*>("m_editServer")->setText(QStringLiteral("127.0.0.1"));
        button(dlg, "m_btnTest")->click();
        QTRY_COMPARE(texts().size(), 2);
        QCOMPARE(texts().last(), QStringLiteral("连接失败！"));
        QVERIFY(!button(dlg, "m_btnConnect")->isEnabled());
        QVERIFY(SetupIni::read(QStringLiteral("Server"), QStringLiteral("id")).isEmpty());

        QVERIFY(m_server.writeSettings(RemoteTestServer::port()));
        button(dlg, "m_btnTest")->click();
        QTRY_COMPARE(texts().size(), 3);
        QCOMPARE(texts().last(), QStringLiteral("连接成功！"));
        QVERIFY(button(dlg, "m_btnConnect")->isEnabled());
        QCOMPARE(SetupIni::read(QStringLiteral("Server"), QStringLiteral("id")), QStringLiteral("127.0.0.1"));
        // The test leaves the link's own connection alone.
        QVERIFY(!RemoteLink::instance().IsOpen());
        button(dlg, "m_btnConnect")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

    // A test whose address cannot be kept says so instead of a bare success.
    void unsavedAddressIsSaid()
    {
        CDbEngineDlg dlg;
        dlg.findChild<QLineEdit*>("m_editServer")->setText(QStringLiteral("127.0.0.1"));
        button(dlg, "m_btnTest")->click();
        // The answer comes through the event loop: setup.ini is out of reach before it.
        QVERIFY(QFile::rename(SetupIni::path(), QStringLiteral("setup.kept")));
        QVERIFY(QDir().mkdir(SetupIni::path()));
        QTRY_COMPARE(texts().size(), 1);
        QCOMPARE(texts().last(), QStringLiteral("连接成功，但无法保存设置！"));
        QVERIFY(QDir().rmdir(SetupIni::path()));
        QVERIFY(QFile::rename(QStringLiteral("setup.kept"), SetupIni::path()));
        button(dlg, "m_btnTest")->click();
        QTRY_COMPARE(texts().size(), 2);
        QCOMPARE(texts().last(), QStringLiteral("连接成功！"));
        QCOMPARE(SetupIni::read(QStringLiteral("Server"), QStringLiteral("id")), QStringLiteral("127.0.0.1"));
    }

    void commandsRunWhenSet_data()
    {
        QTest::addColumn<bool>("set");
        QTest::newRow("unset") << false;
        QTest::newRow("set") << true;
    }
    void commandsRunWhenSet()
    {
        QFETCH(bool, set);
        if (set) {
            SetupIni ini;
            ini.setValue(QStringLiteral("Server"), QStringLiteral("start"),
                         QStringLiteral("/bin/sh -c \"echo started > '%1'\"").arg(QDir::current().filePath("start.txt")));
            ini.setValue(QStringLiteral("Server"), QStringLiteral("stop"),
                         QStringLiteral("/bin/sh -c \"echo stopped > '%1'\"").arg(QDir::current().filePath("stop.txt")));
            QVERIFY(ini.save());
        }
        CDbServiceRunDlg run;
        CDbServiceDlg service;
        CDbEngineDlg engine;
        for (QWidget* dlg : std::initializer_list<QWidget*>{&run, &service, &engine}) {
            QVERIFY(button(*dlg, "m_btnStart")->isEnabled());
            QVERIFY(button(*dlg, "m_btnStop")->isEnabled());
        }
        button(run, "m_btnStart")->click();
        button(service, "m_btnStop")->click();
        if (set)
            QTRY_VERIFY(QFile::exists("start.txt") && QFile::exists("stop.txt"));
        QVERIFY(texts().isEmpty());
    }
};

QTEST_MAIN(TestDbService)
#include "test_db_service.moc"
