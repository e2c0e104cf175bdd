#include "db/AdoConn.h"
#include "support/TestSupport.h"

#include <QtTest>

// Rows as the recordset holds them: every kind of cell read back as stored, by name and by
// ordinal, through the cursor and through a shared snapshot.
class TestRecordset : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("book.db"));
    CAdoConn m_conn;

    // The numbers 1..count as rows of a number, a text, a NULL and a real.
    RecordsetPtr numbered(int count)
    {
        return m_conn.GetRecordSet(
            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                           "select i, '第' || i || '册', null, i * 0.5 from n where ? > 0"),
            {count, count});
    }
    static QString expectedRow(int i)
    {
        return QStringLiteral("%1|第%1册||%2").arg(i).arg(QString::number(i * 0.5));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(copyTemplateDatabase(m_path));
        QVERIFY(m_conn.Connect(m_path));
    }

    void cellsReadAsStored_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QVariant>("bound");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        const int text = QMetaType::QString;
        const int whole = QMetaType::LongLong;
        const int real = QMetaType::Double;
        QTest::newRow("chinese") << "?" << QVariant("欧阳明月《图书》") << "欧阳明月《图书》" << text;
        QTest::newRow("empty text") << "?" << QVariant("") << "" << text;
        QTest::newRow("null") << "?" << QVariant() << "" << int(QMetaType::UnknownType);
        QTest::newRow("integer") << "?" << QVariant(-42) << "-42" << whole;
        QTest::newRow("beyond 53 bits") << "?" << QVariant(qlonglong(9007199254740993)) << "9007199254740993" << whole;
        QTest::newRow("price 25.8") << "?" << QVariant(25.8) << "25.8" << real;
        QTest::newRow("whole real") << "?" << QVariant(89.0) << "89" << real;
        QTest::newRow("numeric column") << "cast(? as numeric)" << QVariant("25.80") << "25.8" << real;
        QTest::newRow("digits stay text") << "?" << QVariant("0099") << "0099" << text;
        QTest::newRow("long text") << "?" << QVariant(QString(100000, QChar(0x4E66))) << QString(100000, QChar(0x4E66))
                                   << text;
        QTest::newRow("blob") << "cast(? as blob)" << QVariant("书") << "书" << text;
    }
    void cellsReadAsStored()
    {
        QFETCH(QString, expression);
        QFETCH(QVariant, bound);
        QFETCH(QString, text);
        QFETCH(int, type);
        RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select 1 as 前, %1 as 值, 'z' as 后").arg(expression), {bound});
        QCOMPARE(rs->GetRecordCount(), 1L);
        QCOMPARE(rs->GetCollect(1), text);
        QCOMPARE(rs->GetCollect(QStringLiteral("值")), text);
        QCOMPARE(rs->GetRowTexts(), QStringList({"1", text, "z"}));
        QCOMPARE(rs->GetValue(1).typeId(), type);
        QCOMPARE(rs->GetValue(1).isNull(), type == QMetaType::UnknownType);
        const std::shared_ptr<const RowBlock> rows = rs->SharedRows();
        QCOMPARE(rows->text(0, 1), text);
        QCOMPARE(rows->isNull(0, 1), type == QMetaType::UnknownType);
        QCOMPARE(rows->value(0, 1), rs->GetValue(1));
        QCOMPARE(rows->columns(), QStringList({"前", "值", "后"}));
    }

    void cursorOverRows_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("many") << 2500;
    }
    void cursorOverRows()
    {
        QFETCH(int, count);
        RecordsetPtr rs = numbered(count);
        QCOMPARE(rs->GetRecordCount(), long(count));
        QCOMPARE(rs->GetFieldCount(), 4);
        QCOMPARE(rs->IsEOF(), count == 0);
        QCOMPARE(rs->IsBOF(), count == 0);
        int seen = 0;
        for (; !rs->IsEOF(); rs->MoveNext())
            QCOMPARE(rs->GetRowTexts().join('|'), expectedRow(++seen));
        QCOMPARE(seen, count);
        QVERIFY_THROWS_EXCEPTION(DbError, rs->GetCollect(0));
        for (rs->MoveLast(); count > 0 && !rs->IsBOF(); rs->MovePrevious())
            QCOMPARE(rs->GetCollect(0), QString::number(seen--));
        QCOMPARE(seen, 0);
        if (count > 0) {  // before the first row, as after the last, nothing can be read
            QVERIFY(rs->IsBOF() && !rs->IsEOF());
            QVERIFY_THROWS_EXCEPTION(DbError, rs->GetCollect(0));
            QVERIFY_THROWS_EXCEPTION(DbError, rs->MovePrevious());
        }
        rs->MoveFirst();
        rs->Move(count / 2);
        if (count > 0)
            QCOMPARE(rs->GetRowTexts().join('|'), expectedRow(count / 2 + 1));
        QVERIFY_THROWS_EXCEPTION(DbError, rs->Move(count + 1));
        const std::shared_ptr<const RowBlock> rows = rs->SharedRows();
        QCOMPARE(rows->rowCount(), count);
        QCOMPARE(rows->columnCount(), 4);
        QVERIFY(rows->isNull(count, 0) && rows->text(-1, 0).isEmpty());
    }

    void columnsByNameAndOrdinal()
    {
        RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select * from duzheleibie order by rowid"));
        QCOMPARE(rs->GetFieldName(2), QStringLiteral("借阅数量限制"));
        QCOMPARE(rs->GetCollect(QStringLiteral("借书期限")), QStringLiteral("30"));
        QCOMPARE(rs->GetValue(1), QVariant(qlonglong(30)));
        QVERIFY_THROWS_EXCEPTION(DbError, rs->GetCollect(3));
        QVERIFY_THROWS_EXCEPTION(DbError, rs->GetCollect(-1));
        QVERIFY_THROWS_EXCEPTION(DbError, rs->GetCollect(QStringLiteral("没有的列")));
        QVERIFY_THROWS_EXCEPTION(DbError, rs->GetFieldName(3));
    }

    // An export job reads its snapshot on another thread while the window inserts on.
    void insertsLeaveSnapshotsAlone()
    {
        RecordsetPtr table = m_conn.GetRecordSet(QStringLiteral("select * from gonggao"));
        const auto add = [&](const QString& title, const QVariant& content) {
            table->AddNew();
            table->PutCollect(QStringLiteral("标题"), title);
            table->PutCollect(1, content);
            table->Update();
        };
        add(QStringLiteral("开馆"), QStringLiteral("八点"));
        const std::shared_ptr<const RowBlock> first = table->SharedRows();
        add(QStringLiteral("闭馆"), QVariant());
        add(QStringLiteral("盘点"), 3);
        QCOMPARE(first->rowCount(), 1);
        QCOMPARE(first->text(0, 1), QStringLiteral("八点"));
        const std::shared_ptr<const RowBlock> now = table->SharedRows();
        QCOMPARE(now->rowCount(), 3);
        QVERIFY(now->isNull(1, 1));
        QCOMPARE(now->value(2, 1), QVariant(qlonglong(3)));
        QCOMPARE(table->GetRowTexts(), QStringList({"盘点", "3"}));
        table->MoveFirst();
        QCOMPARE(table->GetRowTexts(), QStringList({"开馆", "八点"}));
        QCOMPARE(m_conn.GetRecordSet(QStringLiteral("select count(*) from gonggao"))->GetCollect(0), QStringLiteral("3"));
        QVERIFY_THROWS_EXCEPTION(DbError, CAdoRecordset(QStringLiteral("失败")).SharedRows());
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "test_recordset.moc"
