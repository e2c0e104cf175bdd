#include "PrintTestSupport.h"

#include "printing/Code128.h"
#include "printing/FontSetup.h"
#include "printing/LogFont.h"

#include <QPainter>
#include <QtTest>

namespace {
QList<int> values(const Code128Symbol& symbol)
{
    QList<int> all;
    for (int i = 0; i < symbol.ValueCount(); ++i)
        all << symbol.Values()[i];
    return all;
}

// The lengths of the runs of equal pixels along one row, from the first black pixel on.
QList<int> runs(const QImage& image, int y)
{
    QList<int> lengths;
    int x = 0;
    while (x < image.width() && image.pixelColor(x, y) != Qt::black)
        ++x;
    while (x < image.width()) {
        const QColor colour = image.pixelColor(x, y);
        int end = x;
        while (end < image.width() && image.pixelColor(end, y) == colour)
            ++end;
        lengths << end - x;
        x = end;
    }
    lengths.removeLast();  // the white beyond the stop
    return lengths;
}
}

class TestCode128 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    void patternsAreTheStandardsWidths()
    {
        QSet<QByteArray> distinct;
        for (int v = 0; v <= CCode128::kStop; ++v) {
            const QByteArray pattern(CCode128::Pattern(v));
            int sum = 0;
            for (char d : pattern)
                sum += d - '0';
            QCOMPARE(sum, v == CCode128::kStop ? 13 : 11);
            distinct.insert(pattern);
        }
        QCOMPARE(distinct.size(), 107);
        QCOMPARE(QByteArray(CCode128::Pattern(0)), QByteArray("212222"));
        QCOMPARE(QByteArray(CCode128::Pattern(104)), QByteArray("211214"));
        QCOMPARE(QByteArray(CCode128::Pattern(106)), QByteArray("2331112"));
    }

    void symbolValues_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("expected");  // start, data, check
        QTest::addColumn<int>("modules");
        QTest::newRow("digits in B") << "CODE128B" << "1234567890"
                                     << QList<int>{104, 17, 18, 19, 20, 21, 22, 23, 24, 25, 16, 33} << 145;
        QTest::newRow("empty B") << "CODE128B" << "" << QList<int>{104, 1} << 35;
        QTest::newRow("letters B") << "CODE128B" << "ABC" << QList<int>{104, 33, 34, 35, 1} << 68;
        QTest::newRow("empty type is B") << "" << "a~" << QList<int>{104, 65, 94, 48} << 57;
        QTest::newRow("DEL in B") << "CODE128B" << QString(QChar(127)) << QList<int>{104, 95, 96} << 46;
        QTest::newRow("even C") << "CODE128C" << "123456" << QList<int>{105, 12, 34, 56, 44} << 68;
        QTest::newRow("odd C ends in B") << "CODE128C" << "12345" << QList<int>{105, 12, 34, 100, 21, 54} << 79;
        QTest::newRow("one digit C") << "CODE128C" << "7" << QList<int>{105, 100, 23, 45} << 57;
        QTest::newRow("TAB in A") << "CODE128A" << "\t" << QList<int>{103, 73, 73} << 46;
        QTest::newRow("capitals A") << "CODE128A" << "AZ" << QList<int>{103, 33, 58, 46} << 57;
    }

    void symbolValues()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(QList<int>, expected);
        QFETCH(int, modules);
        const Code128Symbol symbol = CCode128::Encode(text, type);
        QVERIFY2(symbol.IsValid(), qPrintable(symbol.Refusal()));
        QCOMPARE(values(symbol), expected);
        QCOMPARE(symbol.ModuleCount(), modules);
        QByteArray pattern;
        for (int v : expected)
            pattern += CCode128::Pattern(v);
        QCOMPARE(symbol.Modules(), pattern + CCode128::Pattern(CCode128::kStop));
    }

    // The longest texts fit; anything else a type cannot hold is refused with its reason,
    // and a refused text has no width.
    void limits_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        const QString tooLong = QStringLiteral("超过48个条码字符");
        QTest::newRow("48 in B") << "CODE128B" << QString(48, QLatin1Char('x')) << "";
        QTest::newRow("96 digits in C") << "CODE128C" << QString(96, QLatin1Char('9')) << "";
        QTest::newRow("Chinese prefix") << "CODE128B" << "QX测试1" << "字符“测”不能编码";
        QTest::newRow("accent") << "CODE128B" << "é" << "字符“é”不能编码";
        QTest::newRow("control in B") << "CODE128B" << "A\tB" << "字符“\t”不能编码";
        QTest::newRow("lower case in A") << "CODE128A" << "Ab" << "字符“b”不能编码";
        QTest::newRow("letter in C") << "CODE128C" << "12a4" << "字符“a”不能编码";
        QTest::newRow("49 in B") << "CODE128B" << QString(49, QLatin1Char('x')) << tooLong;
        QTest::newRow("95 digits in C") << "CODE128C" << QString(95, QLatin1Char('1')) << tooLong;
        QTest::newRow("unknown type") << "CODE39" << "123" << "不支持条码类型";
        QTest::newRow("type in lower case") << "code128b" << "123" << "不支持条码类型";
    }

    void limits()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        const Code128Symbol symbol = CCode128::Encode(text, type);
        QCOMPARE(symbol.IsValid(), reason.isEmpty());
        QCOMPARE(symbol.Refusal(), reason);
        if (!reason.isEmpty()) {
            QCOMPARE(symbol.ModuleCount(), 0);
            QVERIFY(symbol.Modules().isEmpty());
        }
        if (type == QLatin1String("CODE128B"))
            QCOMPARE(CCode128::GetWidthB(text, 2), 2 * symbol.ModuleCount());
    }

    // Every module is a whole number of device units: the printer's 5 per page pixel, and
    // a rounded 3 at a scale of 2.5, never a mix of widths.
    void modulesSnapToDeviceUnits_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("module");
        QTest::newRow("preview") << 1.0 << 1;
        QTest::newRow("600 dpi") << 5.0 << 5;
        QTest::newRow("300 dpi") << 2.5 << 3;
    }

    void modulesSnapToDeviceUnits()
    {
        QFETCH(double, scale);
        QFETCH(int, module);
        QImage image(1000, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        CCode128::DrawBarcode(painter, 10, 10, 1, 40, QStringLiteral("1234567890"), LogFont(), u"CODE128B", false, scale,
                              scale);
        painter.end();
        QList<int> expected;
        for (char d : CCode128::EncodeSetB(u"1234567890").Modules())
            expected << (d - '0') * module;
        QCOMPARE(runs(image, static_cast<int>(30 * scale)), expected);
    }

    // Each accepted text drawn alone with a quiet zone reads back as itself, at 2 pixels a
    // module and at the 5 dots a module of paper. (zbar misses some symbols drawn at 1 pixel a
    // module, such as "b2", however they are drawn; the exact widths at 1 pixel are checked above.)
    void decodesToItself()
    {
        QList<std::pair<QString, QString>> inputs = {
            {"CODE128C", "12345"},        {"CODE128C", "123456"},    {"CODE128C", "0"},
            {"CODE128C", "20170411001"},  {"CODE128B", "QX0000001"}, {"CODE128B", "MixedCase"},
            {"CODE128B", "a-b.c/d+e%f$"}, {"CODE128B", "(A&B){x}|~"}, {"CODE128A", "LIBRARY 2017"},
        };
        const QString alphabet = QStringLiteral("A1b2C3d4-E5f6.G7h8 I9j0/K1l2+M3n4$O5p6");
        for (int length = 1; length <= 30; ++length)
            inputs.append({QStringLiteral("CODE128B"), alphabet.mid(length % 7, length)});
        QTemporaryDir dir;
        QStringList files;
        QStringList expected;
        for (int module : {2, 5}) {
            for (const auto& [type, text] : inputs) {
                const int width = CCode128::Encode(text, type).ModuleCount() * module;
                QImage image(width + 40 * module, 60, QImage::Format_Grayscale8);
                image.fill(Qt::white);
                QPainter painter(&image);
                CCode128::DrawBarcode(painter, 20 * module, 10, module, 40, text, LogFont(), type, false, 1, 1);
                painter.end();
                files << dir.filePath(QStringLiteral("%1.png").arg(files.size()));
                QVERIFY(image.save(files.last()));
                expected << text;
            }
        }
        QCOMPARE(decodeBarcodes(files), expected);
    }

    void textLineIsCentredUnderTheBars()
    {
        QImage image(400, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        CCode128::DrawBarcode(painter, 100, 10, 1, 40, QStringLiteral("1234567890"), LogFont(), u"CODE128B", true, 1, 1);
        painter.end();
        int left = image.width(), right = -1;
        for (int y = 52; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY(right > left);
        QVERIFY2(std::abs((left + right) / 2 - (100 + 145 / 2)) <= 3, qPrintable(QStringLiteral("%1..%2").arg(left).arg(right)));
    }
};

QTEST_MAIN(TestCode128)
#include "test_code128.moc"
