#include "db/AdoConn.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <sqlite3.h>

class TestAdoConn : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void missingFileIsNotCreated_data();
    void missingFileIsNotCreated();
    void foreignFileIsRefused_data();
    void foreignFileIsRefused();
    void twoRecordsetsLoopIndependently();
    void nullReadsAsEmptyText();
    void failuresAreSilent();
    void missingTableThrowsOnFirstCall();
    void emptyResult();
    void connectTwiceReplaces();
    void exitConnectWithoutConnection();
    void transactionRollsBackEveryStep();
    void nestedTransactionRollsBackInnerStepsOnly();
    void transactionObjectRollsBackOnScopeExit();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void injectionTextMatchesNothing();
    void recordsetOverJoinCannotInsert();
    void changedRowsCountsOnlyDataChanges();
    void closingRollsBackAnOpenTransaction();

private:
    QString copy(const QString& name);
    long count(const QString& sql, const QVariantList& params = {});

    QTemporaryDir m_dir;
    CAdoConn m_conn;
    std::unique_ptr<ScriptedSeams> m_seams;
};

QString TestAdoConn::copy(const QString& name)
{
    const QString path = m_dir.filePath(name);
    return copyTemplateDatabase(path) ? path : QString();
}

long TestAdoConn::count(const QString& sql, const QVariantList& params)
{
    return m_conn.GetRecordSet(sql, params)->GetRecordCount();
}

void TestAdoConn::init()
{
    m_seams = std::make_unique<ScriptedSeams>();
    QVERIFY(m_conn.Connect(copy(QStringLiteral("book.db"))));
}

// A database file replaced under an open connection would pick up that connection's
// write-ahead log, so each test closes before the next copy.
void TestAdoConn::cleanup() { m_conn.ExitConnect(); }

void TestAdoConn::missingFileIsNotCreated_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("file") << m_dir.filePath(QStringLiteral("none.db"));
    QTest::newRow("folder") << m_dir.filePath(QStringLiteral("Database/book.db"));
}

void TestAdoConn::missingFileIsNotCreated()
{
    QFETCH(QString, path);
    CAdoConn conn;
    QVERIFY(!conn.Connect(path));
    QVERIFY(!conn.IsConnected());
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral("-wal")));
}

void TestAdoConn::foreignFileIsRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("text");

    const QString plain = m_dir.filePath(QStringLiteral("plain.db"));
    QFile::remove(plain);
    sqlite3* db = nullptr;
    sqlite3_open(plain.toUtf8().constData(), &db);
    sqlite3_exec(db, "CREATE TABLE admin (用户名 TEXT, 密码 TEXT)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QTest::newRow("sqlite without our id") << plain << QByteArray();
    QTest::newRow("text file") << m_dir.filePath(QStringLiteral("notes.txt")) << QByteArray("这不是数据库\n");
    QTest::newRow("empty file") << m_dir.filePath(QStringLiteral("empty.db")) << QByteArray("");
}

void TestAdoConn::foreignFileIsRefused()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, text);
    if (!text.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    QFile before(path);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();

    CAdoConn conn;
    QVERIFY(!conn.Connect(path));
    QVERIFY(!conn.IsConnected());
    QVERIFY(!conn.LastError().isEmpty());
    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), bytes);
    QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
}

void TestAdoConn::twoRecordsetsLoopIndependently()
{
    RecordsetPtr types = m_conn.GetRecordSet(QStringLiteral("select 类别名 from duzheleibie order by rowid"));
    QStringList seen;
    while (!types->IsEOF()) {
        RecordsetPtr shelves = m_conn.GetRecordSet(QStringLiteral("select * from shujiainfo where 存放位置名 like ?"),
                                                   {QStringLiteral("%号书架")});
        long n = 0;
        for (; !shelves->IsEOF(); shelves->MoveNext())
            ++n;
        seen << types->GetCollect(QStringLiteral("类别名")) + QString::number(n);
        types->MoveNext();
    }
    QCOMPARE(seen, QStringList({"学生8", "教师8"}));
}

void TestAdoConn::nullReadsAsEmptyText()
{
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into readerinfo (编号, 姓名) values (?, ?)"),
                              {QStringLiteral("R1"), QStringLiteral("张三")}));
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select * from readerinfo"));
    QCOMPARE(rs->GetRecordCount(), 1L);
    QCOMPARE(rs->GetCollect(QStringLiteral("未还书数")), QString());
    QVERIFY(rs->GetValue(7).isNull());
    QCOMPARE(rs->GetCollect(6), QStringLiteral("0"));
    QCOMPARE(rs->GetRowTexts(), QStringList({"R1", "张三", "", "", "", "", "0", "", "", "", "", ""}));
}

void TestAdoConn::failuresAreSilent()
{
    QVERIFY(!m_conn.ExecuteSql(QStringLiteral("delete from nosuchtable")));
    QVERIFY(!m_conn.LastError().isEmpty());
    QVERIFY(!m_conn.ExecuteSql(QStringLiteral("insert into admin (用户名, 密码) values (?, ?)"), {QStringLiteral("x")}));
    QVERIFY(!m_conn.ExecuteSql(QStringLiteral("delete from admin; delete from bkinfo")));
    QCOMPARE(count(QStringLiteral("select * from admin")), 1L);
    QVERIFY(m_seams->prompter.messages.isEmpty());
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from bumeninfo")));
    QVERIFY(m_conn.LastError().isEmpty());
}

void TestAdoConn::missingTableThrowsOnFirstCall()
{
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select * from nosuchtable"));
    QVERIFY(rs);
    QVERIFY(!rs->IsOpen());
    QVERIFY_THROWS_EXCEPTION(DbError, rs->IsEOF());
    QVERIFY_THROWS_EXCEPTION(DbError, rs->GetRecordCount());
    QVERIFY_THROWS_EXCEPTION(DbError, rs->GetCollect(0));
    QVERIFY_THROWS_EXCEPTION(DbError, rs->AddNew());
    QVERIFY(m_seams->prompter.messages.isEmpty());
}

void TestAdoConn::emptyResult()
{
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select * from bkinfo where 图书编号=?"), {QStringLiteral("X")});
    QVERIFY(rs->IsEOF());
    QVERIFY(rs->IsBOF());
    QCOMPARE(rs->GetRecordCount(), 0L);
    QCOMPARE(rs->GetFieldCount(), 17);
    QCOMPARE(rs->GetFieldName(2), QStringLiteral("图书编号"));
    QVERIFY_THROWS_EXCEPTION(DbError, rs->GetCollect(0));
}

void TestAdoConn::connectTwiceReplaces()
{
    const QString second = copy(QStringLiteral("second.db"));
    CAdoConn other;
    QVERIFY(other.Connect(second));
    QVERIFY(other.ExecuteSql(QStringLiteral("insert into bumeninfo values (?)"), {QStringLiteral("初一")}));
    QVERIFY(m_conn.BeginTrans());
    QVERIFY(m_conn.Connect(second));
    QCOMPARE(m_conn.TransDepth(), 0);
    QCOMPARE(count(QStringLiteral("select * from bumeninfo")), 1L);
}

void TestAdoConn::exitConnectWithoutConnection()
{
    CAdoConn conn;
    conn.ExitConnect();
    conn.ExitConnect();
    QVERIFY(!conn.IsConnected());
    QCOMPARE(conn.ChangedRows(), 0);
    QVERIFY(!conn.CommitTrans());
    QVERIFY(!conn.RollbackTrans());
}

void TestAdoConn::transactionRollsBackEveryStep()
{
    const QString insert = QStringLiteral("insert into bumeninfo values (?)");
    QVERIFY(m_conn.BeginTrans());
    QVERIFY(m_conn.ExecuteSql(insert, {QStringLiteral("初一")}));
    QVERIFY(m_conn.ExecuteSql(insert, {QStringLiteral("初二")}));
    QVERIFY(!m_conn.ExecuteSql(insert, {QStringLiteral("初一")}));
    QVERIFY(m_conn.RollbackTrans());
    QCOMPARE(count(QStringLiteral("select * from bumeninfo")), 0L);
    QVERIFY(!m_conn.CommitTrans());
}

void TestAdoConn::nestedTransactionRollsBackInnerStepsOnly()
{
    const QString insert = QStringLiteral("insert into bumeninfo values (?)");
    QVERIFY(m_conn.BeginTrans());
    QVERIFY(m_conn.ExecuteSql(insert, {QStringLiteral("初一")}));
    {
        CTransaction inner(m_conn);
        QVERIFY(inner.IsActive());
        QCOMPARE(m_conn.TransDepth(), 2);
        QVERIFY(m_conn.ExecuteSql(insert, {QStringLiteral("初二")}));
    }
    QCOMPARE(m_conn.TransDepth(), 1);
    {
        CTransaction inner(m_conn);
        QVERIFY(m_conn.ExecuteSql(insert, {QStringLiteral("初三")}));
        QVERIFY(inner.Commit());
    }
    QVERIFY(m_conn.CommitTrans());
    QCOMPARE(m_conn.TransDepth(), 0);
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select 部门 from bumeninfo order by rowid"));
    QStringList names;
    for (; !rs->IsEOF(); rs->MoveNext())
        names << rs->GetCollect(0);
    QCOMPARE(names, QStringList({"初一", "初三"}));
}

void TestAdoConn::transactionObjectRollsBackOnScopeExit()
{
    {
        CTransaction t(m_conn);
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from tushuleixing")));
    }
    QCOMPARE(count(QStringLiteral("select * from tushuleixing")), 38L);
    {
        CTransaction t(m_conn);
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from tushuleixing")));
        QVERIFY(t.Commit());
        QVERIFY(!t.Commit());
    }
    QCOMPARE(count(QStringLiteral("select * from tushuleixing")), 0L);
}

void TestAdoConn::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("single quote") << QStringLiteral("O'Brien's 'book'");
    QTest::newRow("double quote") << QStringLiteral("\"引号\"“全角”");
    QTest::newRow("percent") << QStringLiteral("100% 真实");
    QTest::newRow("underscore") << QStringLiteral("a_b");
    QTest::newRow("backslash") << QStringLiteral("C:\\书\\n");
    QTest::newRow("chinese") << QStringLiteral("第一中学图书馆");
    QTest::newRow("semicolon") << QStringLiteral("x'); delete from bkinfo; --");
}

void TestAdoConn::valuesRoundTrip()
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
                              {QStringLiteral("A2"), text, QStringLiteral("other")}));

    RecordsetPtr equal = m_conn.GetRecordSet(QStringLiteral("select * from bkinfo where 书名=?"), {text});
    QCOMPARE(equal->GetRecordCount(), 1L);
    QCOMPARE(equal->GetCollect(QStringLiteral("书名")), text);
    QCOMPARE(equal->GetCollect(QStringLiteral("单价")), QStringLiteral("25.8"));
    QCOMPARE(equal->GetCollect(QStringLiteral("是否借出")), QStringLiteral("0"));

    RecordsetPtr like = m_conn.GetRecordSet(QStringLiteral("select 图书编号, 著译者 from bkinfo where 著译者 like ?"),
                                            {QLatin1Char('%') + text.mid(1, 4) + QLatin1Char('%')});
    QCOMPARE(like->GetRecordCount(), 1L);
    QCOMPARE(like->GetCollect(1), text);
    QCOMPARE(count(QStringLiteral("select * from bkinfo")), 2L);
}

void TestAdoConn::injectionTextMatchesNothing()
{
    const QString attack = QStringLiteral("' or '1'='1");
    QCOMPARE(count(QStringLiteral("select * from admin where 用户名=? and 密码=?"), {attack, attack}), 0L);
    QCOMPARE(count(QStringLiteral("select * from tushuleixing where 类型名称 like ?"), {attack}), 0L);
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from tushuleixing where 分类号代码=?"), {attack}));
    QCOMPARE(m_conn.ChangedRows(), 0);
    QCOMPARE(count(QStringLiteral("select * from tushuleixing")), 38L);
}

void TestAdoConn::recordsetOverJoinCannotInsert()
{
    RecordsetPtr rs = m_conn.GetRecordSet(
        QStringLiteral("select a.用户名, b.图书馆名 from admin a, tushuguaninfo b"));
    QCOMPARE(rs->GetRecordCount(), 1L);
    QVERIFY_THROWS_EXCEPTION(DbError, rs->AddNew());

    RecordsetPtr admin = m_conn.GetRecordSet(QStringLiteral("select * from admin"));
    admin->AddNew();
    admin->PutCollect(QStringLiteral("用户名"), QStringLiteral("超级用户"));
    admin->PutCollect(QStringLiteral("密码"), QStringLiteral("x"));
    QVERIFY_THROWS_EXCEPTION(DbError, admin->Update());
    QCOMPARE(admin->GetRecordCount(), 1L);
}

void TestAdoConn::changedRowsCountsOnlyDataChanges()
{
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("update shujiainfo set 备注=?"), {QStringLiteral("x")}));
    QCOMPARE(m_conn.ChangedRows(), 8);
    QVERIFY(m_conn.GetRecordSet(QStringLiteral("select * from shujiainfo"))->IsOpen());
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("select count(*) from shujiainfo")));
    QCOMPARE(m_conn.ChangedRows(), 0);
}

void TestAdoConn::closingRollsBackAnOpenTransaction()
{
    const QString path = m_dir.filePath(QStringLiteral("book.db"));
    QVERIFY(m_conn.BeginTrans());
    QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from shujiainfo")));
    RecordsetPtr held = m_conn.GetRecordSet(QStringLiteral("select * from admin"));
    m_conn.ExitConnect();
    CAdoConn other;
    QVERIFY(other.Connect(path));
    QVERIFY(other.ExecuteSql(QStringLiteral("insert into gonggao values ('a', 'b')")));
    QCOMPARE(other.GetRecordSet(QStringLiteral("select * from shujiainfo"))->GetRecordCount(), 8L);
    QCOMPARE(held->GetRecordCount(), 1L);
}

QTEST_GUILESS_MAIN(TestAdoConn)
#include "test_adoconn.moc"
