#include "PrintTestSupport.h"

#include "core/TextCodec.h"
#include "printing/FontSetup.h"
#include "printing/GbkText.h"
#include "printing/LabelGrid.h"
#include "printing/LayoutRecord.h"
#include "printing/SpineLayout.h"

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

    // Only what cannot be laid out is refused: no rows or columns (labels per page divides
    // every page count), a font height whose scaling would overflow, and, where the page is
    // drawn at its own size (spine labels), a page of no size or past 1000 mm.
    void layoutLimits_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<bool>("spineReadable");
        const auto with = [](auto change) {
            QByteArray bytes = kDefaultFile;
            change(bytes);
            return bytes;
        };
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("defaults") << kDefaultFile << true << true;
        QTest::newRow("empty") << QByteArray() << false << false;
        QTest::newRow("231 bytes") << kDefaultFile.left(231) << false << false;
        QTest::newRow("no rows") << with([](QByteArray& b) { putInt(b, 136, 0); }) << false << false;
        QTest::newRow("negative columns") << with([](QByteArray& b) { putInt(b, 140, -5); }) << false << false;
        QTest::newRow("font height INT_MIN") << with([](QByteArray& b) {
            putInt(b, 168, std::numeric_limits<qint32>::min());
        }) << false << false;
        QTest::newRow("font height 1001") << with([](QByteArray& b) { putInt(b, 168, 1001); }) << false << false;
        QTest::newRow("101 columns") << with([](QByteArray& b) { putInt(b, 140, 101); }) << true << true;
        QTest::newRow("label 0 mm wide") << with([](QByteArray& b) { putInt(b, 164, 0); }) << true << true;
        QTest::newRow("negative gap") << with([](QByteArray& b) { putDouble(b, 128, -1); }) << true << true;
        QTest::newRow("margin not a number") << with([nan](QByteArray& b) { putDouble(b, 104, nan); }) << true << true;
        QTest::newRow("page 0 mm high") << with([](QByteArray& b) { putDouble(b, 144, 0); }) << true << false;
        QTest::newRow("page 1001 mm wide") << with([](QByteArray& b) { putDouble(b, 152, 1001); }) << true << false;
        QTest::newRow("page not a number") << with([nan](QByteArray& b) { putDouble(b, 152, nan); }) << true << false;
    }

    void layoutLimits()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        QFETCH(bool, spineReadable);
        Workplace w;
        QCOMPARE(LayoutRecord::FromBytes(bytes).has_value(), readable);
        QVERIFY(writeFile(SpineLayout::Path(), bytes));
        QCOMPARE(LayoutRecord::Read(SpineLayout::Path()).has_value(), readable);
        QCOMPARE(SpineLayout::Read().has_value(), spineReadable);
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

    // Barcode cells are placed in true millimetres and rounded once, so the fifth column is at
    // 164 mm; spine cells add up lengths truncated to whole pixels (40 mm is 151, a gap of 1 mm
    // 3 pixels). Cells out of any page's reach are none.
    void cells_data()
    {
        QTest::addColumn<bool>("spine");
        QTest::addColumn<LayoutRecord>("layout");
        QTest::addColumn<int>("index");
        QTest::addColumn<std::optional<QRect>>("cell");
        const LayoutRecord defaults = LayoutRecord::Defaults();
        LayoutRecord nan = defaults, far = defaults;
        nan.SetTopMargin(std::numeric_limits<double>::quiet_NaN());
        far.SetLabelHeight(std::numeric_limits<qint32>::max());
        QTest::newRow("barcode first") << false << defaults << 0 << std::optional(QRect(0, 0, 189, 128));
        QTest::newRow("barcode row 1 column 2") << false << defaults << 7 << std::optional(QRect(387, 133, 189, 128));
        QTest::newRow("barcode column 4") << false << defaults << 4 << std::optional(QRect(775, 0, 189, 128));
        QTest::newRow("barcode last") << false << defaults << 49 << std::optional(QRect(775, 1195, 189, 128));
        QTest::newRow("spine row 1 column 2") << true << defaults << 7 << std::optional(QRect(308, 106, 151, 102));
        QTest::newRow("spine last") << true << defaults << 49 << std::optional(QRect(616, 954, 151, 102));
        QTest::newRow("margin not a number") << false << nan << 0 << std::optional<QRect>();
        QTest::newRow("labels out of reach") << true << far << 0 << std::optional<QRect>();
    }

    void cells()
    {
        QFETCH(bool, spine);
        QFETCH(LayoutRecord, layout);
        QFETCH(int, index);
        QFETCH(std::optional<QRect>, cell);
        const LabelGrid grid = spine ? LabelGrid::Spine(layout) : LabelGrid::Barcodes(layout);
        QCOMPARE(grid.LabelsPerPage(), 50);
        QCOMPARE(grid.Cell(index), cell);
        if (!spine && cell)
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
