#include "core/Collation.h"
#include "core/DateText.h"
#include "core/NumberSequence.h"
#include "core/NumberText.h"
#include "core/PasswordHash.h"
#include "core/TextCodec.h"
#include "support/TestSupport.h"

#include <QtTest>

class TestCore : public QObject {
    Q_OBJECT
private slots:
    void gbkAndDecoding()
    {
        const QString text = QStringLiteral("图书0099 [对不起！]");
        const QByteArray gbk("\xCD\xBC\xCA\xE9" "0099 [\xB6\xD4\xB2\xBB\xC6\xF0\xA3\xA1]");
        QCOMPARE(toGbk(text), gbk);
        QCOMPARE(fromGbk(gbk), text);
        QCOMPARE(decodeText(gbk), text);
        QCOMPARE(decodeText(text.toUtf8()), text);
        // GBK "涓" is E4 B8, the first two bytes of a three-byte UTF-8 sequence: a GBK file
        // ending in it must not pass for truncated UTF-8.
        QCOMPARE(decodeText(QByteArray("abc\xE4\xB8")), QStringLiteral("abc涓"));
        // A damaged byte costs itself only, never the text after it.
        const QString damaged = fromGbk(QByteArray("\xCD\xBC\xFF\xCA\xE9"));
        QVERIFY2(damaged.startsWith(QStringLiteral("图")) && damaged.endsWith(QStringLiteral("书")), qPrintable(damaged));
    }

    void convertEncoding_data()
    {
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<QByteArray>("output");
        const QByteArray damaged("\xCD\xBC\xFF\xCA\xE9");
        QTest::newRow("bad byte skipped") << QByteArray("UTF-8") << QByteArray("GBK") << damaged << QByteArray()
                                          << QStringLiteral("图书").toUtf8();
        QTest::newRow("bad byte replaced") << QByteArray("UTF-8") << QByteArray("GB18030") << damaged
                                           << QByteArray("\xEF\xBF\xBD") << QStringLiteral("图\uFFFD书").toUtf8();
        QTest::newRow("cut-off last character") << QByteArray("UTF-8") << QByteArray("GBK") << QByteArray("\xCD\xBC\xCA")
                                                << QByteArray("?") << QStringLiteral("图?").toUtf8();
        QTest::newRow("replacements outgrow the input") << QByteArray("UTF-8") << QByteArray("GBK") << QByteArray(1000, '\xFF')
                                                        << QByteArray("[?]") << QByteArray("[?]").repeated(1000);
        QTest::newRow("wider encoding outgrows the input") << QByteArray("UTF-32LE") << QByteArray("UTF-8")
                                                           << QByteArray(1000, 'a') << QByteArray()
                                                           << QByteArray("a\0\0\0", 4).repeated(1000);
        QTest::newRow("unknown encoding") << QByteArray("NO-SUCH-CODE") << QByteArray("UTF-8") << QByteArray("abc")
                                          << QByteArray() << QByteArray();
    }
    void convertEncoding()
    {
        QFETCH(QByteArray, to);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, replacement);
        QFETCH(QByteArray, output);
        QCOMPARE(::convertEncoding(to.constData(), from.constData(), input, replacement), output);
    }

    void parseDateText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("with time") << "2017-04-11 09:30:00" << QDate(2017, 4, 11);
        QTest::newRow("unpadded") << "2017-4-1" << QDate(2017, 4, 1);
        QTest::newRow("no such day") << "2017-02-30" << QDate();
        QTest::newRow("trailing letter") << "2017-04-11x" << QDate();
    }
    void parseDateText()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(::parseDateText(text), date);
    }

    void todayFollowsTheClock()
    {
        ScriptedSeams seams(QDateTime(QDate(2017, 4, 1), QTime(23, 59, 59)));
        QCOMPARE(todayText(), QStringLiteral("2017-04-01"));
    }

    void collateSort()
    {
        // zh_CN sorts Han by pinyin and before Latin; Latin ignores case, with a fixed order among case variants.
        QStringList texts{"第一版", "b2", "第二版", "A1", "教师", "a1", "学生"};
        ::collateSort(texts);
        QCOMPARE(texts, QStringList({"第二版", "第一版", "教师", "学生", "A1", "a1", "b2"}));
    }

    void valueText_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("price typed 89.00") << QVariant(89.00) << "89";
        QTest::newRow("0.1+0.2") << QVariant(0.1 + 0.2) << "0.3";
        QTest::newRow("beyond 32 bits") << QVariant(2500000000.0) << "2500000000";
        QTest::newRow("huge") << QVariant(1e20) << "1e+20";
        QTest::newRow("typed null") << QVariant(QMetaType::fromType<double>()) << "";
        QTest::newRow("text keeps zeros") << QVariant(QStringLiteral("0099")) << "0099";
    }
    void valueText()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QCOMPARE(variantText(value), text);
        if (!value.isNull() && value.typeId() == QMetaType::Double)
            QCOMPARE(numberText(value.toDouble()), text);
    }

    void nextNumberText_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("next");
        QTest::newRow("prefix and zeros") << "A0099" << "A0100";
        QTest::newRow("zeros kept") << "0099" << "0100";
        QTest::newRow("a year and a count") << "2017001" << "2017002";
        QTest::newRow("chinese prefix grows") << "读者9" << "读者10";
        QTest::newRow("digits on both sides of a letter") << "A12B34" << "AB1235";
        QTest::newRow("letters after the digits") << "A12B" << "AB13";
        QTest::newRow("a hyphen goes in front with the letter") << "001-A" << "-A002";
        QTest::newRow("a minus is a character, not a sign") << "-2017001" << "-2017002";
        QTest::newRow("full-width digits are characters") << "第１册9" << "第１册10";
        QTest::newRow("past 2147483647, not negative") << "2147483647" << "2147483648";
        QTest::newRow("past 64 bits") << "99999999999999999999" << "100000000000000000000";
        QTest::newRow("eleven nines") << "99999999999" << "100000000000";
        QTest::newRow("no digits") << "ABC" << "ABC1";
        QTest::newRow("empty") << "" << "1";
    }
    void nextNumberText()
    {
        QFETCH(QString, number);
        QFETCH(QString, next);
        QCOMPARE(::nextNumberText(number), next);
    }

    void password_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("tried");
        QTest::addColumn<bool>("accepted");
        const QString hash = hashPassword("123456");
        const QStringList parts = hash.split('$');
        QTest::newRow("right") << hash << "123456" << true;
        QTest::newRow("prefix") << hash << "12345" << false;
        QTest::newRow("plain text stored") << "123456" << "123456" << false;
        QTest::newRow("short key") << QStringList{parts[0], parts[1], parts[2], parts[3].left(16)}.join('$')
                                   << "123456" << false;
        // A key that differs in one byte only, at either end, is still a wrong key.
        const auto changed = [&](int at) {
            QByteArray key = QByteArray::fromHex(parts[3].toLatin1());
            key[at] = static_cast<char>(key[at] ^ 0x01);
            return QStringList{parts[0], parts[1], parts[2], QString::fromLatin1(key.toHex())}.join('$');
        };
        QTest::newRow("first key byte differs") << changed(0) << "123456" << false;
        QTest::newRow("last key byte differs") << changed(31) << "123456" << false;
    }
    void password()
    {
        QFETCH(QString, stored);
        QFETCH(QString, tried);
        QFETCH(bool, accepted);
        QCOMPARE(verifyPassword(tried, stored), accepted);
        if (accepted)  // salted: the same password never hashes the same way twice
            QVERIFY(hashPassword(tried) != stored && !stored.contains(tried));
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "test_core.moc"
