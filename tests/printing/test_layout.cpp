#include "PrintTestSupport.h"

#include "core/TextCodec.h"
#include "printing/FontSetup.h"
#include "printing/GbkText.h"
#include "printing/LabelGrid.h"
#include "printing/LayoutRecord.h"

#include <QtEndian>
#include <QtTest>

#include <cstring>
#include <limits>

namespace {
// The file the "默认" button writes, byte for byte: A4, 分类号, 复本号, slot 3 empty, 学校图书馆,
// zero padding, margins 0, gaps 1.10 and 1.00, 10 x 5, 297 x 210, labels 27 x 40, 宋体 -14
// weight 400 GB2312 3/2/1/2, black.
const QByteArray kDefaultFile = QByteArray::fromHex(
    "4134000000000000000000000000000000000000"
    "b7d6c0e0bac50000000000000000000000000000"
    "b8b4b1bebac50000000000000000000000000000"
    "0000000000000000000000000000000000000000"
    "d1a7d0a3cdbccae9b9dd00000000000000000000"
    "0000000000000000000000000000000000000000"
    "9a9999999999f13f000000000000f03f0a000000"
    "0500000000000000009072400000000000406a40"
    "1b00000028000000f2ffffff0000000000000000"
    "00000000900100000000008603020102cbcecce5"
    "0000000000000000000000000000000000000000"
    "000000000000000000000000");

void putInt(QByteArray& bytes, int offset, qint32 value) { qToLittleEndian(value, bytes.data() + offset); }

void putDouble(QByteArray& bytes, int offset, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, bytes.data() + offset);
}

// A file another installation wrote: words in slot 3, padding, font bytes this program
// never edits and bytes behind the terminating zeros.
QByteArray foreignFile()
{
    QByteArray bytes = kDefaultFile;
    bytes.replace(60, 6, toGbk(QStringLiteral("模板一")));
    bytes.replace(100, 4, "\xAB\xCD\xEF\x01");
    bytes[192] = 7;                          // output precision
    bytes[194] = 5;                          // quality
    bytes.replace(220, 3, "\x11\x22\x33");   // behind the face's terminating zero
    bytes.replace(91, 3, QByteArray("\x55\x66\x77"));  // behind the title's terminating zero
    return bytes;
}
}

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    void defaultsAreTheGoldenFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("txmzd.dat"));
        QVERIFY(LayoutRecord::Defaults().Write(path));
        QCOMPARE(fileBytes(path).toHex(), kDefaultFile.toHex());
        const std::optional<LayoutRecord> read = LayoutRecord::Read(path);
        QVERIFY(read);
        QCOMPARE(read->Text(LayoutRecord::TitleSlot), QStringLiteral("学校图书馆"));
        QCOMPARE(read->Font().FaceName(), QStringLiteral("宋体"));
    }

    // Editing the title and the rows changes their bytes and nothing else.
    void readModifyWriteKeepsUneditedBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("txm.dat"));
        QVERIFY(writeFile(path, foreignFile()));
        std::optional<LayoutRecord> record = LayoutRecord::Read(path);
        QVERIFY(record);
        QVERIFY(record->SetText(LayoutRecord::TitleSlot, QStringLiteral("一中")));
        record->SetRows(12);
        record->SetFont(record->Font());
        QVERIFY(record->Write(path));
        QByteArray expected = foreignFile();
        expected.replace(80, 5, toGbk(QStringLiteral("一中")) + '\0');
        putInt(expected, 136, 12);
        QCOMPARE(fileBytes(path).toHex(), expected.toHex());
    }

    void slotTexts_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("read");
        QTest::newRow("20 GBK bytes without a zero") << toGbk(QStringLiteral("一二三四五六七八九十"))
                                                     << QStringLiteral("一二三四五六七八九");
        QTest::newRow("20 ASCII bytes") << QByteArray("ABCDEFGHIJKLMNOPQRST") << QStringLiteral("ABCDEFGHIJKLMNOPQRS");
        QTest::newRow("lead byte before the zero") << QByteArray("AB\xd1\0CD", 6) << QStringLiteral("AB");
    }

    void slotTexts()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, read);
        QByteArray bytes = kDefaultFile;
        bytes.replace(80, stored.size(), stored);
        const std::optional<LayoutRecord> record = LayoutRecord::FromBytes(bytes);
        QVERIFY(record);
        QCOMPARE(record->Text(LayoutRecord::TitleSlot), read);
        QCOMPARE(record->Text(LayoutRecord::PaperSlot), QStringLiteral("A4"));
    }

    void slotsRefuseWhatDoesNotFit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::newRow("19 bytes") << QStringLiteral("一二三四五六七八九A") << true;
        QTest::newRow("20 bytes") << QStringLiteral("一二三四五六七八九十") << false;
        QTest::newRow("no GBK form") << QStringLiteral("한국") << false;
        QTest::newRow("empty") << QString() << true;
    }

    void slotsRefuseWhatDoesNotFit()
    {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        LayoutRecord record = LayoutRecord::Defaults();
        QCOMPARE(record.SetText(LayoutRecord::TitleSlot, text), fits);
        QCOMPARE(LayoutRecord::SlotTextProblem(text).isEmpty(), fits);
        QCOMPARE(record.Text(LayoutRecord::TitleSlot), fits ? text : QStringLiteral("学校图书馆"));
        QCOMPARE(record.Bytes().mid(100), LayoutRecord::Defaults().Bytes().mid(100));
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const auto with = [](auto change) {
            QByteArray bytes = kDefaultFile;
            change(bytes);
            return bytes;
        };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("231 bytes") << kDefaultFile.left(231);
        QTest::newRow("no rows") << with([](QByteArray& b) { putInt(b, 136, 0); });
        QTest::newRow("101 columns") << with([](QByteArray& b) { putInt(b, 140, 101); });
        QTest::newRow("label 0 mm wide") << with([](QByteArray& b) { putInt(b, 164, 0); });
        QTest::newRow("label 301 mm high") << with([](QByteArray& b) { putInt(b, 160, 301); });
        QTest::newRow("negative gap") << with([](QByteArray& b) { putDouble(b, 128, -1); });
        QTest::newRow("margin not a number") << with([](QByteArray& b) {
            putDouble(b, 104, std::numeric_limits<double>::quiet_NaN());
        });
        QTest::newRow("infinite page") << with([](QByteArray& b) {
            putDouble(b, 144, std::numeric_limits<double>::infinity());
        });
        QTest::newRow("page 1001 mm") << with([](QByteArray& b) { putDouble(b, 152, 1001); });
        QTest::newRow("font height INT_MIN") << with([](QByteArray& b) {
            putInt(b, 168, std::numeric_limits<qint32>::min());
        });
        QTest::newRow("font height 1001") << with([](QByteArray& b) { putInt(b, 168, 1001); });
    }

    void unreadableFiles()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!LayoutRecord::FromBytes(bytes));
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("x.dat")), bytes));
        QVERIFY(!LayoutRecord::Read(dir.filePath(QStringLiteral("x.dat"))));
    }

    void failedWriteLeavesTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("txm.dat"));
        QVERIFY(LayoutRecord::Defaults().Write(path));
        // A folder where the temporary file should go cannot be written as a file.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("txmzd.dat")));
        QVERIFY(!LayoutRecord::Defaults().Write(dir.filePath(QStringLiteral("txmzd.dat"))));
        QVERIFY(!LayoutRecord::Defaults().Write(dir.filePath(QStringLiteral("missing/txm.dat"))));
        QCOMPARE(QFileInfo(path).size(), qint64(LayoutRecord::kSize));
    }

    // Cells are placed in millimetres and rounded once, so the fifth column is at 164 mm.
    void cells_data()
    {
        QTest::addColumn<double>("perMm");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("cell");
        const double barcode = LabelGrid::kBarcodePixelsPerMm, spine = LabelGrid::kSpinePixelsPerMm;
        QTest::newRow("barcode first") << barcode << 0 << QRect(0, 0, 189, 128);
        QTest::newRow("barcode row 1 column 2") << barcode << 7 << QRect(387, 133, 189, 128);
        QTest::newRow("barcode column 4") << barcode << 4 << QRect(775, 0, 189, 128);
        QTest::newRow("barcode last") << barcode << 49 << QRect(775, 1195, 189, 128);
        QTest::newRow("spine row 1 column 2") << spine << 7 << QRect(310, 106, 151, 102);
        QTest::newRow("spine last, 164 and 252.9 mm") << spine << 49 << QRect(620, 956, 151, 102);
    }

    void cells()
    {
        QFETCH(double, perMm);
        QFETCH(int, index);
        QFETCH(QRect, cell);
        const LabelGrid grid(LayoutRecord::Defaults(), perMm);
        QCOMPARE(grid.LabelsPerPage(), 50);
        QCOMPARE(grid.Cell(index), cell);
        if (perMm == LabelGrid::kBarcodePixelsPerMm)
            QCOMPARE(grid.Pitch(), 194);
    }

    void fontConversions_data()
    {
        QTest::addColumn<QFont>("chosen");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("height");
        QFont twelve(QStringLiteral("AR PL UMing CN"));
        twelve.setPointSize(12);
        QFont tenAndAHalf(QStringLiteral("WenQuanYi Zen Hei"));
        tenAndAHalf.setPointSizeF(10.5);
        QFont pixels(QStringLiteral("DejaVu Sans"));
        pixels.setPixelSize(20);
        QTest::newRow("宋体 12 pt") << twelve << "宋体" << -16;
        QTest::newRow("黑体 10.5 pt") << tenAndAHalf << "黑体" << -14;
        QTest::newRow("pixel size") << pixels << "DejaVu Sans" << -20;
    }

    void fontConversions()
    {
        QFETCH(QFont, chosen);
        QFETCH(QString, face);
        QFETCH(int, height);
        LogFont font;
        font.outPrecision = 7;
        QVERIFY(font.TakeFrom(chosen));
        QCOMPARE(font.FaceName(), face);
        QCOMPARE(font.height, height);
        QCOMPARE(font.outPrecision, quint8(7));
        QCOMPARE(font.ToQFont(5).pixelSize(), -height * 5);
        const LogFont before = font;  // a face longer than 31 bytes is refused and changes nothing
        QVERIFY(!font.TakeFrom(QFont(QStringLiteral("A Font Family Name Longer Than Thirty-One Bytes"))));
        QCOMPARE(font, before);
    }

    void gbkPrefixes()
    {
        const QByteArray text = toGbk(QStringLiteral("A书名B"));
        QCOMPARE(gbkPrefix(text, 2), QByteArray("A"));
        QCOMPARE(gbkPrefix(text, 3), toGbk(QStringLiteral("A书")));
        QCOMPARE(gbkPrefix(text, 99), text);
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
