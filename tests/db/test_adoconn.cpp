#include "db/AdoConn.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <sqlite3.h>

class TestAdoConn : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("book.db"));
    CAdoConn m_conn;
    std::unique_ptr<ScriptedSeams> m_seams;

    long count(const QString& table) { return m_conn.GetRecordSet("select * from " + table)->GetRecordCount(); }

private slots:
    void init()
    {
        m_seams = std::make_unique<ScriptedSeams>();
        QFile::remove(m_path);
        QVERIFY(copyTemplateDatabase(m_path));
        QVERIFY(m_conn.Connect(m_path));
    }
    // A database file replaced under an open connection would pick up that connection's
    // write-ahead log, so each test closes before the next copy.
    void cleanup() { m_conn.ExitConnect(); }

    void refusesMissingAndForeignFiles_data()
    {
        QTest::addColumn<QString>("path");
        const QString plain = m_dir.filePath(QStringLiteral("plain.db"));
        sqlite3* db = nullptr;
        sqlite3_open(plain.toUtf8().constData(), &db);
        sqlite3_exec(db, "CREATE TABLE IF NOT EXISTS admin (用户名 TEXT, 密码 TEXT)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        QTest::newRow("missing folder") << m_dir.filePath(QStringLiteral("Database/book.db"));
        QTest::newRow("sqlite without our id") << plain;
        for (const QByteArray& text : {QByteArray("这不是数据库\n"), QByteArray()}) {
            const QString path = m_dir.filePath(QString::number(text.size()) + QStringLiteral(".db"));
            QVERIFY(writeFile(path, text));
            QTest::newRow(text.isEmpty() ? "empty file" : "text file") << path;
        }
    }
    void refusesMissingAndForeignFiles()
    {
        QFETCH(QString, path);
        const QByteArray before = fileBytes(path);
        CAdoConn conn;
        QVERIFY(!conn.Connect(path));
        QVERIFY(!conn.IsConnected() && !conn.LastError().isEmpty());
        QCOMPARE(fileBytes(path), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
    }

    void nullReadsAsEmptyText()
    {
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into readerinfo (编号, 姓名) values (?, ?)"), {"R1", "张三"}));
        RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select * from readerinfo"));
        QCOMPARE(rs->GetCollect(QStringLiteral("未还书数")), QString());
        QVERIFY(rs->GetValue(7).isNull());
        QCOMPARE(rs->GetRowTexts(), QStringList({"R1", "张三", "", "", "", "", "0", "", "", "", "", ""}));
    }

    void failuresReturnFalseAndShowNothing()
    {
        QVERIFY(!m_conn.ExecuteSql(QStringLiteral("delete from nosuchtable")));
        QVERIFY(!m_conn.LastError().isEmpty());
        QVERIFY(!m_conn.ExecuteSql(QStringLiteral("insert into admin (用户名, 密码) values (?, ?)"), {"x"}));
        QVERIFY(!m_conn.ExecuteSql(QStringLiteral("delete from admin; delete from bkinfo")));
        QCOMPARE(count("admin"), 1L);
        RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select * from nosuchtable"));
        QVERIFY(rs && !rs->IsOpen());
        QVERIFY_THROWS_EXCEPTION(DbError, rs->IsEOF());
        QVERIFY_THROWS_EXCEPTION(DbError, rs->AddNew());
        // Only a recordset of one whole table inserts.
        RecordsetPtr join = m_conn.GetRecordSet(QStringLiteral("select a.用户名, b.图书馆名 from admin a, tushuguaninfo b"));
        QVERIFY_THROWS_EXCEPTION(DbError, join->AddNew());
        QVERIFY(m_seams->prompter.messages.isEmpty());
    }

    void opensInWalModeWithBusyTimeout_data()
    {
        QTest::addColumn<QString>("pragma");
        QTest::addColumn<QString>("value");
        QTest::newRow("write-ahead log") << "journal_mode" << "wal";
        QTest::newRow("busy timeout") << "busy_timeout" << "5000";
        QTest::newRow("commits wait for the disk") << "synchronous" << "2";
    }
    void opensInWalModeWithBusyTimeout()
    {
        QFETCH(QString, pragma);
        QFETCH(QString, value);
        QCOMPARE(m_conn.GetRecordSet(QStringLiteral("PRAGMA ") + pragma)->GetCollect(0), value);
    }

    // Restore and initialisation replace the file right after closing: nothing may keep it
    // open, neither a live recordset nor a kept statement.
    void exitConnectClosesTheFileWhileRecordsetsLive()
    {
        for (int i = 0; i < 20; ++i)
            QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into bumeninfo values ('部门%1')").arg(i)));
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into gonggao values (?, ?)"), {"通知", "闭馆"}));
        RecordsetPtr held = m_conn.GetRecordSet(QStringLiteral("select * from gonggao"));
        m_conn.ExitConnect();
        QVERIFY(!QFile::exists(m_path + QStringLiteral("-wal")));
        QVERIFY(!QFile::exists(m_path + QStringLiteral("-shm")));
        QCOMPARE(held->GetCollect(1), QStringLiteral("闭馆"));
        held->AddNew();
        held->PutCollect(0, QStringLiteral("新通知"));
        QVERIFY_THROWS_EXCEPTION(DbError, held->Update());
        QVERIFY(copyTemplateDatabase(m_path));
        QVERIFY(m_conn.Connect(m_path));
        QCOMPARE(count(QStringLiteral("gonggao")), 0L);
        QVERIFY_THROWS_EXCEPTION(DbError, held->Update());
    }

    // Only the application's local connection opens the local database by itself; the
    // remote connection, above all, must never run its statements there.
    void onlyTheLocalConnectionFallsBack_data()
    {
        QTest::addColumn<bool>("remote");
        QTest::newRow("never connected") << false;
        QTest::newRow("remote server unreachable") << true;
    }
    void onlyTheLocalConnectionFallsBack()
    {
        QFETCH(bool, remote);
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        CAdoConn& conn = theApp().m_adoRemote;
        if (remote)
            QVERIFY(!conn.ConnectRemote({QStringLiteral("127.0.0.1"), 1, QStringLiteral("schoollib"), {}, {}}));
        const QString failed = QStringLiteral("连接数据库失败!");
        QVERIFY(!conn.ExecuteSql(QStringLiteral("create table table1 (学校名称 TEXT)")));
        QCOMPARE(conn.LastError(), failed);
        RecordsetPtr rs = conn.GetRecordSet(QStringLiteral("select * from admin"));
        QVERIFY(!rs->IsOpen());
        QCOMPARE(rs->ErrorText(), failed);
        QVERIFY(!conn.BeginTrans() && !conn.IsConnected());

        CAdoConn& local = theApp().m_ado;
        local.ExitConnect();
        QCOMPARE(local.GetRecordSet(QStringLiteral("select * from sqlite_master where name='table1'"))->GetRecordCount(), 0L);
        QCOMPARE(local.GetRecordSet(QStringLiteral("select * from admin"))->GetRecordCount(), 1L);
    }

    void exitConnectWithoutConnection()
    {
        CAdoConn conn;
        conn.ExitConnect();
        conn.ExitConnect();
        QVERIFY(!conn.IsConnected());
        QVERIFY(!conn.CommitTrans());
    }

    void transactionRollsBackEveryStep()
    {
        const QString insert = QStringLiteral("insert into bumeninfo values (?)");
        QVERIFY(m_conn.BeginTrans());
        QVERIFY(m_conn.ExecuteSql(insert, {"初一"}));
        {
            CTransaction inner(m_conn);
            QVERIFY(m_conn.ExecuteSql(insert, {"初二"}));
            QVERIFY(!m_conn.ExecuteSql(insert, {"初一"}));
        }
        QCOMPARE(m_conn.TransDepth(), 1);
        QVERIFY(m_conn.ExecuteSql(insert, {"初三"}));
        QVERIFY(m_conn.CommitTrans());
        {
            CTransaction t(m_conn);
            QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from bumeninfo")));
            QVERIFY(m_conn.ExecuteSql(insert, {"初四"}));
            QVERIFY(!m_conn.ExecuteSql(insert, {"初四"}));
        }
        QVERIFY(!m_conn.CommitTrans());
        QCOMPARE(m_conn.GetRecordSet(QStringLiteral("select group_concat(部门) from bumeninfo"))->GetCollect(0),
                 QStringLiteral("初一,初三"));
    }

    void closingRollsBackAnOpenTransaction()
    {
        QVERIFY(m_conn.BeginTrans());
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from shujiainfo")));
        RecordsetPtr held = m_conn.GetRecordSet(QStringLiteral("select * from admin"));
        m_conn.ExitConnect();
        CAdoConn other;
        QVERIFY(other.Connect(m_path));
        QVERIFY(other.ExecuteSql(QStringLiteral("insert into gonggao values ('a', 'b')")));
        QCOMPARE(other.GetRecordSet(QStringLiteral("select * from shujiainfo"))->GetRecordCount(), 8L);
        QCOMPARE(held->GetRecordCount(), 1L);
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << QStringLiteral("O'Brien's \"引号\"“全角”");
        QTest::newRow("percent") << QStringLiteral("100% 真实");
        QTest::newRow("backslash") << QStringLiteral("C:\\书\\n");
        QTest::newRow("statement") << QStringLiteral("x'); delete from bkinfo; --");
        QTest::newRow("injection") << QStringLiteral("' or '1'='1");
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, text);
        RecordsetPtr table = m_conn.GetRecordSet(QStringLiteral("select* from bkinfo"));
        table->AddNew();
        table->PutCollect(QStringLiteral("图书编号"), QStringLiteral("A1"));
        table->PutCollect(6, text);
        table->PutCollect(QStringLiteral("单价"), QStringLiteral("25.80"));
        table->Update();
        QCOMPARE(m_conn.ChangedRows(), 1);
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into bkinfo (图书编号, 著译者, 书名) values (?, ?, ?)"),
                                  {"A2", text, "other"}));
        RecordsetPtr equal = m_conn.GetRecordSet(QStringLiteral("select 书名, 单价, 是否借出 from bkinfo where 书名=?"), {text});
        QCOMPARE(equal->GetRowTexts(), QStringList({text, "25.8", "0"}));
        QCOMPARE(equal->GetRecordCount(), 1L);
        RecordsetPtr like = m_conn.GetRecordSet(QStringLiteral("select 著译者 from bkinfo where 著译者 like ?"),
                                                {QLatin1Char('%') + text.mid(1, 4) + QLatin1Char('%')});
        QCOMPARE(like->GetRecordCount(), 1L);
        QCOMPARE(like->GetCollect(0), text);
        QCOMPARE(count("bkinfo"), 2L);
        QCOMPARE(m_conn.GetRecordSet(QStringLiteral("select * from admin where 用户名=? or 密码=?"), {text, text})
                     ->GetRecordCount(),
                 0L);
    }

    void changedRowsCountsOnlyDataChanges()
    {
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("update shujiainfo set 备注=?"), {"x"}));
        QCOMPARE(m_conn.ChangedRows(), 8);
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("select count(*) from shujiainfo")));
        QCOMPARE(m_conn.ChangedRows(), 0);
    }
};

QTEST_GUILESS_MAIN(TestAdoConn)
#include "test_adoconn.moc"
