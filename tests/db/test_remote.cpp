#include "db/AdoConn.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QtTest>

// Runs against the MariaDB server that the CTest fixture starts on 127.0.0.1.
class TestRemote : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void wrongPasswordFailsFast();
    void insertThroughRecordset_data();
    void insertThroughRecordset();
    void updateWithBoundValues();
    void longTextRoundTrips();
    void failuresAreSilent();

private:
    RemoteServer server(const QString& password = QStringLiteral("secret")) const;
    int m_port = 0;
    CAdoConn m_conn;
    std::unique_ptr<ScriptedSeams> m_seams;
};

RemoteServer TestRemote::server(const QString& password) const
{
    return {QStringLiteral("127.0.0.1"), m_port, QStringLiteral("schoollib"), password, QStringLiteral("books")};
}

void TestRemote::initTestCase()
{
    m_port = qEnvironmentVariableIntValue("SCHOOLLIB_MARIADB_PORT");
    QVERIFY2(m_port > 0, "SCHOOLLIB_MARIADB_PORT is not set");
    QVERIFY2(m_conn.ConnectRemote(server()), qPrintable(m_conn.LastError()));
    QVERIFY(!m_conn.SqliteHandle());
}

void TestRemote::init()
{
    m_seams = std::make_unique<ScriptedSeams>();
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from table1")));
}

void TestRemote::wrongPasswordFailsFast()
{
    CAdoConn conn;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!conn.ConnectRemote(server(QStringLiteral("wrong"))));
    QVERIFY(timer.elapsed() < 5000);
    QVERIFY(!conn.IsConnected());
    QVERIFY(conn.LastError().contains(QStringLiteral("schoollib")));
}

void TestRemote::insertThroughRecordset_data()
{
    QTest::addColumn<QString>("school");
    QTest::newRow("chinese") << QStringLiteral("第一中学");
    QTest::newRow("quotes") << QStringLiteral("O'Brien \"学校\" `x` \\ 100%");
    QTest::newRow("injection") << QStringLiteral("' or '1'='1");
}

void TestRemote::insertThroughRecordset()
{
    QFETCH(QString, school);
    RecordsetPtr table = m_conn.GetRecordSet(QStringLiteral("select* from table1"));
    QCOMPARE(table->GetFieldCount(), 14);
    table->AddNew();
    table->PutCollect(QStringLiteral("学校名称"), school);
    table->PutCollect(QStringLiteral("报表时间"), QStringLiteral("2017-04-11"));
    table->PutCollect(QStringLiteral("馆藏数量"), QString());
    table->Update();
    QVERIFY(m_conn.LastInsertId() > 0);

    QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into table1 (学校名称) values (?)"), {QStringLiteral("其他学校")}));
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select * from table1 where 学校名称=?"), {school});
    QCOMPARE(rs->GetRecordCount(), 1L);
    QCOMPARE(rs->GetCollect(QStringLiteral("学校名称")), school);
    QCOMPARE(rs->GetCollect(QStringLiteral("报表时间")), QStringLiteral("2017-04-11"));
    QCOMPARE(rs->GetCollect(QStringLiteral("馆藏数量")), QString());
    QCOMPARE(rs->GetCollect(QStringLiteral("报表人")), QString());
    QVERIFY(rs->GetValue(QStringLiteral("报表人")).isNull());
    QCOMPARE(rs->GetValue(QStringLiteral("在馆图书数量")), QVariant(qlonglong(0)));
}

void TestRemote::updateWithBoundValues()
{
    const QString school = QStringLiteral("第二中学");
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into table1 (学校名称) values (?)"), {school}));
    const QString update = QStringLiteral(
        "update table1 set 在馆图书数量=?,学生借阅数量=?,教师借阅数量=?,学生读者数量=?,教师读者数量=? where 学校名称=?");
    const QVariantList values{1234, 56, 7, qlonglong(2000000000), 0, school};
    QVERIFY(m_conn.ExecuteSql(update, values));
    QCOMPARE(m_conn.ChangedRows(), 1);
    // The same values again still name the row: callers ask whether the row was there.
    QVERIFY(m_conn.ExecuteSql(update, values));
    QCOMPARE(m_conn.ChangedRows(), 1);
    QVERIFY(m_conn.ExecuteSql(update, {1, 1, 1, 1, 1, QStringLiteral("没有的学校")}));
    QCOMPARE(m_conn.ChangedRows(), 0);

    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select 在馆图书数量, 学生借阅数量, 学生读者数量 from table1"));
    QCOMPARE(rs->GetValue(0).typeId(), QMetaType::LongLong);
    QCOMPARE(rs->GetValue(0).toLongLong(), 1234);
    QCOMPARE(rs->GetRowTexts(), QStringList({"1234", "56", "2000000000"}));
}

void TestRemote::longTextRoundTrips()
{
    QString names;
    for (int i = 0; i < 300; ++i)
        names += QStringLiteral("管理员%1，").arg(i);
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into table1 (学校名称, 管理人员名单) values (?, ?)"),
                              {QStringLiteral("第三中学"), names}));
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select 管理人员名单, 学校名称 from table1"));
    QCOMPARE(rs->GetCollect(0), names);
    QCOMPARE(rs->GetCollect(1), QStringLiteral("第三中学"));
}

void TestRemote::failuresAreSilent()
{
    QVERIFY(!m_conn.ExecuteSql(QStringLiteral("update nosuchtable set a=1")));
    QVERIFY(!m_conn.LastError().isEmpty());
    QVERIFY(!m_conn.ExecuteSql(QStringLiteral("insert into table1 (学校名称) values (?)"), {QVariant()}));
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select * from nosuchtable"));
    QVERIFY_THROWS_EXCEPTION(DbError, rs->IsEOF());
    QVERIFY(m_seams->prompter.messages.isEmpty());
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("select 1")));
}

QTEST_GUILESS_MAIN(TestRemote)
#include "test_remote.moc"
