#include "core/DateText.h"

#include <QtTest>

// Every write of a date goes through this one reading, so text order stays date order.
class TestDateText : public QObject {
    Q_OBJECT
private slots:
    void normalized_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // null: no date
        QTest::newRow("as stored") << "2017-04-11" << "2017-04-11";
        QTest::newRow("unpadded") << "2017-4-1" << "2017-04-01";
        QTest::newRow("slashes") << "2017/4/1" << "2017-04-01";
        QTest::newRow("dots") << "2017.12.31" << "2017-12-31";
        QTest::newRow("Chinese") << "2017年4月1日" << "2017-04-01";
        QTest::newRow("eight digits") << "20170401" << "2017-04-01";
        QTest::newRow("full-width") << "２０１７／４／１" << "2017-04-01";
        QTest::newRow("blanks around") << "  2017-4-1\t" << "2017-04-01";
        QTest::newRow("a time is dropped") << "2017/4/1 9:05:00" << "2017-04-01";
        QTest::newRow("leap day") << "2016-2-29" << "2016-02-29";
        QTest::newRow("no leap day") << "2017-2-29" << QString();
        QTest::newRow("month 13") << "2017-13-01" << QString();
        QTest::newRow("mixed separators") << "2017-4/1" << QString();
        QTest::newRow("two-digit year") << "17-4-1" << QString();
        QTest::newRow("year 0017") << "0017-04-01" << QString();
        QTest::newRow("day first") << "01-04-2017" << QString();
        QTest::newRow("seven digits") << "2017041" << QString();
        QTest::newRow("trailing text") << "2017-04-11x" << QString();
        QTest::newRow("text after a blank") << "2017-04-11 上午" << QString();
        QTest::newRow("a word") << "昨天" << QString();
        QTest::newRow("empty") << "" << QString();
    }
    void normalized()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(normalizedDateText(typed), stored);
        QCOMPARE(normalizedDateText(typed).isNull(), stored.isNull());
    }
};

QTEST_MAIN(TestDateText)
#include "test_datetext.moc"
