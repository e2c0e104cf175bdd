#include "core/Collation.h"
#include "core/DateText.h"
#include "core/TextCodec.h"
#include "support/TestSupport.h"

#include <QtTest>

class TestText : public QObject {
    Q_OBJECT
private slots:
    void gbkRoundTrip_data();
    void gbkRoundTrip();
    void decodeText_data();
    void decodeText();
    void parseDateText_data();
    void parseDateText();
    void todayFollowsTheClock();
    void collateSort_data();
    void collateSort();
};

void TestText::gbkRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("gbk");
    QTest::newRow("chinese") << QStringLiteral("中文") << QByteArray("\xD6\xD0\xCE\xC4");
    QTest::newRow("mixed") << QStringLiteral("图书0099 [学生]") << QByteArray("\xCD\xBC\xCA\xE9" "0099 [\xD1\xA7\xC9\xFA]");
    QTest::newRow("full-width punctuation") << QStringLiteral("对不起！") << QByteArray("\xB6\xD4\xB2\xBB\xC6\xF0\xA3\xA1");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestText::gbkRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, gbk);
    QCOMPARE(toGbk(text), gbk);
    QCOMPARE(fromGbk(gbk), text);
}

void TestText::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString chinese = QStringLiteral("学校名称=第一中学\r\n");
    QTest::newRow("utf-8") << chinese.toUtf8() << chinese;
    QTest::newRow("gbk") << toGbk(chinese) << chinese;
    QTest::newRow("ascii") << QByteArray("name=abc") << QStringLiteral("name=abc");
    // GBK "涓" is E4 B8, the first two bytes of a three-byte UTF-8 sequence: a GBK file
    // ending in it must not pass for truncated UTF-8.
    QTest::newRow("gbk ending like a utf-8 lead") << QByteArray("abc\xE4\xB8") << QStringLiteral("abc涓");
    QTest::newRow("long gbk") << toGbk(QString(4000, QChar(0x4E2D))) << QString(4000, QChar(0x4E2D));
}

void TestText::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(::decodeText(bytes), text);
}

void TestText::parseDateText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("padded") << "2017-04-11" << QDate(2017, 4, 11);
    QTest::newRow("with time") << "2017-04-11 09:30:00" << QDate(2017, 4, 11);
    QTest::newRow("unpadded") << "2017-4-1" << QDate(2017, 4, 1);
    QTest::newRow("blanks around") << " 2017-04-11 " << QDate(2017, 4, 11);
    QTest::newRow("no such day") << "2017-02-30" << QDate();
    QTest::newRow("slashes") << "2017/04/11" << QDate();
    QTest::newRow("trailing letter") << "2017-04-11x" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestText::parseDateText()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(::parseDateText(text), date);
    if (date.isValid())
        QCOMPARE(::parseDateText(dateText(date)), date);
}

void TestText::todayFollowsTheClock()
{
    ScriptedSeams seams(QDateTime(QDate(2017, 4, 1), QTime(23, 59, 59)));
    QCOMPARE(todayText(), QStringLiteral("2017-04-01"));
    QCOMPARE(dateTimeText(Clock::instance().now()), QStringLiteral("2017-04-01 23:59:59"));
}

void TestText::collateSort_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("editions") << QStringList{"第一版", "第二版", "第三版"} << QStringList{"第二版", "第三版", "第一版"};
    QTest::newRow("reader types") << QStringList{"学生", "教师"} << QStringList{"教师", "学生"};
    // zh_CN puts Han before Latin; Latin ignores case, with a fixed order among case variants.
    QTest::newRow("mixed ascii") << QStringList{"学生", "b2", "A1", "教师", "a1"}
                                 << QStringList{"教师", "学生", "A1", "a1", "b2"};
}

void TestText::collateSort()
{
    QFETCH(QStringList, texts);
    QFETCH(QStringList, sorted);
    ::collateSort(texts);
    QCOMPARE(texts, sorted);
}

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
