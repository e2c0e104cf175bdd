#include "CirculationFixture.h"
#include "circulation/BookLendPage.h"
#include "remote/CountsUploader.h"
#include "db/AppState.h"
#include "remote/RemoteLink.h"
#include "remote/SetupIni.h"
#include "support/RemoteTestServer.h"
#include "support/TcpRelay.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

namespace {
constexpr int kTimeoutSeconds = 1;

int closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

void setSchool(const QString& name)
{
    SetupIni ini;
    ini.setValue(QStringLiteral("Unit"), QStringLiteral("name"), name);
    QVERIFY(ini.save());
}

void lendingRows()
{
    insertBook("B1", "红楼梦");
    insertBook("B2", "水浒传");
    insertBook("B3", "三国演义", {}, "20", 1);
    insertBook("B4", "西游记", {}, "20", 2);
    insertReader("S1", "张三");
    insertReader("S2", "李四");
    insertReader("T1", "王老师", "5", "30", "教师");
    insertReader("W1", "赵工", "5", "30", "职工");
    for (const char* sql : {"insert into jieyueinfo (图书编号, 读者编号, 读者类别) values ('B3', 'S1', '学生')",
                            "insert into jieyueinfo (图书编号, 读者编号, 读者类别) values ('X1', 'S2', '学生')",
                            "insert into jieyueinfo (图书编号, 读者编号, 读者类别) values ('X2', 'W1', '职工')"})
        QVERIFY(theApp().m_ado.ExecuteSql(QString::fromUtf8(sql)));
}

// The counts as table1 holds them for the school.
const QString kCounts = QStringLiteral("学校名称, 在馆图书数量, 学生借阅数量, 教师借阅数量, 学生读者数量, 教师读者数量");
}

using Outcome = CountsUploader::Outcome;

// The counts the lending window keeps current in table1, against the MariaDB server of the
// fixture, directly or through a relay that the tests cut and restore.
class TestCountsUpload : public QObject {
    Q_OBJECT

    RemoteTestServer m_server{QStringLiteral("counts_upload")};
    std::unique_ptr<Workplace> m_work;

    static bool started(CountsUploader& uploader)
    {
        QSignalSpy spy(&uploader, &CountsUploader::Started);
        uploader.Start();
        return spy.wait(10000) && spy.first().first().toBool();
    }
    static Outcome pass(CountsUploader& uploader)
    {
        QSignalSpy spy(&uploader, &CountsUploader::PassFinished);
        uploader.RunPass();
        if (!spy.wait(10000))
            return Outcome::None;
        return spy.first().first().value<Outcome>();
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<CountsUploader::Outcome>();
        QVERIFY2(RemoteTestServer::port() > 0, "the test server wrote no port");
        RemoteLink::instance().setTimeoutSeconds(kTimeoutSeconds);
    }
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
        QVERIFY2(m_server.prepare(), qPrintable(m_server.error()));
        QVERIFY(m_server.writeSettings(RemoteTestServer::port()));
        QVERIFY(m_server.execute(QStringLiteral("insert into table1 (学校名称) values ('实验小学'), ('其他学校')")));
        lendingRows();
    }
    void cleanup() { m_work.reset(); }

    // The five counts reach the row of the school named in the settings, and no other row;
    // a name that matches no row adds none.
    void countsReachTheNamedSchoolOnly_data()
    {
        QTest::addColumn<QString>("school");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("counts");
        QTest::newRow("the school") << QStringLiteral("实验小学") << Outcome::Sent << "实验小学|2|2|0|2|1";
        QTest::newRow("no unit name") << QString() << Outcome::NoSchool << "实验小学|0|0|0|0|0";
        QTest::newRow("no row of the name") << QStringLiteral("无此学校") << Outcome::Sent << "实验小学|0|0|0|0|0";
        QTest::newRow("a quote in the name") << QStringLiteral("实验小学' or '1'='1") << Outcome::Sent
                                             << "实验小学|0|0|0|0|0";
    }
    void countsReachTheNamedSchoolOnly()
    {
        QFETCH(QString, school);
        QFETCH(Outcome, outcome);
        QFETCH(QString, counts);
        setSchool(school);
        CountsUploader uploader;
        QVERIFY(started(uploader));
        QCOMPARE(pass(uploader), outcome);
        QCOMPARE(m_server.rows(kCounts), QStringList({counts, QStringLiteral("其他学校|0|0|0|0|0")}));
        QCOMPARE(uploader.LastSent(), outcome == Outcome::Sent ? QDateTime(QDate(2017, 4, 11), QTime(9, 30)) : QDateTime());
        QVERIFY(uploader.LastFailure().isEmpty());
        QVERIFY(m_work->seams.prompter.messages.isEmpty());
    }

    // A count that cannot be read is told once for each such count, and the school's row
    // keeps what it held: nothing is sent for a pass with a count missing. While the window
    // answers, the ticks start no pass of their own.
    void failedCountIsToldAndNothingSent()
    {
        setSchool(QStringLiteral("实验小学"));
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("alter table jieyueinfo rename to gone")));
        CountsUploader uploader;
        int told = 0, open = 0, mostOpen = 0;
        connect(&uploader, &CountsUploader::CountFailed, this, [&] {
            mostOpen = std::max(mostOpen, ++open);
            if (++told == 1)
                QTest::qWait(CountsUploader::kTickMs * 3 / 2);  // as a message box answered late
            --open;
        });
        QVERIFY(started(uploader));
        QCOMPARE(pass(uploader), Outcome::CountFailed);
        QCOMPARE(told, 2);
        QCOMPARE(mostOpen, 1);
        QVERIFY(!uploader.LastFailure().isEmpty());
        QVERIFY(!uploader.LastSent().isValid());
        QCOMPARE(m_server.rows(kCounts), QStringList({"实验小学|0|0|0|0|0", "其他学校|0|0|0|0|0"}));
    }

    // The lending page says "操作失败！" for each count it could not read.
    void pageSaysAFailedCount()
    {
        setSchool(QStringLiteral("实验小学"));
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("alter table readerinfo rename to gone")));
        CBookLendPage page;
        page.findChild<QCheckBox*>("m_checkUpload")->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(m_work->seams.prompter.texts(),
                                  QStringList({QStringLiteral("操作失败！"), QStringLiteral("操作失败！")}), 5000);
        page.findChild<QCheckBox*>("m_checkUpload")->setChecked(false);
        QCOMPARE(m_server.rows(kCounts), QStringList({"实验小学|0|0|0|0|0", "其他学校|0|0|0|0|0"}));
    }

    // The hidden switch of the lending page: a server that is not there is said at once
    // and the switch goes off.
    void closedPortClearsTheSwitch()
    {
        QVERIFY(m_server.writeSettings(closedPort()));
        CBookLendPage page;
        auto* box = page.findChild<QCheckBox*>("m_checkUpload");
        QVERIFY(box->isHidden());
        QElapsedTimer clock;
        clock.start();
        box->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(m_work->seams.prompter.texts(), QStringList{QStringLiteral("远程连接失败！")},
                                  (kTimeoutSeconds + 2) * 1000);
        QVERIFY(clock.elapsed() < (kTimeoutSeconds + 1) * 1000);
        QVERIFY(!box->isChecked());
    }

    // A pass that meets a silent server fails after the timeout and says so, while the
    // window's thread goes on; once the line is back the next pass sends the counts of
    // that moment.
    void cutAndRestoredLine()
    {
        setSchool(QStringLiteral("实验小学"));
        TcpRelay relay(RemoteTestServer::port());
        QVERIFY(relay.port() > 0);
        QVERIFY(m_server.writeSettings(relay.port()));
        CountsUploader uploader;
        QVERIFY(started(uploader));
        QCOMPARE(pass(uploader), Outcome::Sent);

        relay.cut();
        insertBook("B9", "新书");
        QSignalSpy finished(&uploader, &CountsUploader::PassFinished);
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, sinceTick.restart());
        });
        sinceTick.start();
        ticker.start(20);
        uploader.RunPass();
        uploader.RunPass();  // a second pass while one runs is skipped
        QVERIFY(uploader.PassRunning());
        QVERIFY(finished.wait(10000));
        ticker.stop();
        QCOMPARE(finished.first().first().value<Outcome>(), Outcome::Failed);
        QVERIFY(!uploader.LastFailure().isEmpty());
        QVERIFY2(longestGap < 300, qPrintable(QString::number(longestGap)));
        QTest::qWait(200);
        QCOMPARE(finished.size(), 1);
        QVERIFY(m_work->seams.prompter.messages.isEmpty());

        relay.restore();
        m_work->seams.clock.set(QDateTime(QDate(2017, 4, 12), QTime(8, 0)));
        QCOMPARE(pass(uploader), Outcome::Sent);
        QCOMPARE(m_server.rows(kCounts).first(), QStringLiteral("实验小学|3|2|0|2|1"));
        QCOMPARE(uploader.LastSent(), QDateTime(QDate(2017, 4, 12), QTime(8, 0)));
        QVERIFY(uploader.LastFailure().isEmpty());
        QCOMPARE(uploader.RetryDelayMs(), CountsUploader::kFirstRetryMs);
    }

    // Each failure in a row waits twice as long before reconnecting, up to a minute.
    void failuresBackOff()
    {
        setSchool(QStringLiteral("实验小学"));
        QVERIFY(m_server.writeSettings(closedPort()));
        CountsUploader uploader;
        QVERIFY(!started(uploader));
        QList<int> delays;
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(pass(uploader), Outcome::Failed);
            delays << uploader.RetryDelayMs();
        }
        QCOMPARE(delays, QList<int>({1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000}));
        QVERIFY(m_work->seams.prompter.messages.isEmpty());
    }
};

QTEST_MAIN(TestCountsUpload)
#include "test_counts_upload.moc"
