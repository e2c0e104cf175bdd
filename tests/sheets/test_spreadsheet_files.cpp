#include "sheets/BiffRecords.h"
#include "sheets/ByteWriter.h"
#include "sheets/CompoundFile.h"
#include "sheets/CompoundFileReader.h"
#include "sheets/DateFormats.h"
#include "sheets/DelimitedText.h"
#include "sheets/ExcelFile.h"
#include "sheets/ReadBudget.h"
#include "sheets/SpreadsheetFile.h"
#include "sheets/SpreadsheetFormat.h"
#include "support/LimitedChild.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <zip.h>

Q_DECLARE_METATYPE(SheetCell)

namespace {
QStringList texts(const CellRow& cells)
{
    QStringList out;
    for (const SheetCell& cell : cells)
        out << cell.displayText();
    return out;
}

Sheet sheetOf(const QString& name, std::vector<CellRow> rows)
{
    Sheet sheet;
    sheet.sheetName = name;
    sheet.rows = std::move(rows);
    return sheet;
}

void writeZip(const QString& path, const QList<QPair<const char*, QByteArray>>& parts)
{
    zipFile zip = zipOpen(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    QVERIFY(zip);
    for (const auto& [name, bytes] : parts) {
        QCOMPARE(zipOpenNewFileInZip(zip, name, nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6), ZIP_OK);
        zipWriteInFileInZip(zip, bytes.constData(), unsigned(bytes.size()));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
}

// A workbook laid out the way spreadsheet programs save one: the sheet named "读者" lives
// in sheet2.xml behind a relationship, strings are shared and split into rich-text runs
// with a phonetic part, dates carry a custom format, the workbook counts from 1904, empty
// cells are absent and a 13-digit ISBN is a number.
void writeProgramXlsx(const QString& path)
{
    const QList<QPair<const char*, QByteArray>> parts = {
        {"_rels/.rels",
         R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
        {"xl/workbook.xml",
         R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><workbookPr date1904="1"/><sheets><sheet name="说明" sheetId="1" r:id="rId7"/><sheet name="读者" sheetId="2" r:id="rId3"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet2.xml"/><Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet1.xml"/><Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/><Relationship Id="rId8" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/></Relationships>)"},
        {"xl/sharedStrings.xml",
         R"(<?xml version="1.0" encoding="UTF-8"?><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="4" uniqueCount="4"><si><t>编号</t></si><si><r><t>32</t></r><r><rPr><b/></rPr><t>开</t></r><rPh sb="0" eb="1"><t>カイ</t></rPh></si><si><t xml:space="preserve"> 张三 </t></si><si><t>登记日期</t></si></sst>)"},
        {"xl/styles.xml",
         R"(<?xml version="1.0" encoding="UTF-8"?><styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts count="2"><numFmt numFmtId="176" formatCode="yyyy\-mm\-dd"/><numFmt numFmtId="177" formatCode="0.00_ ;[Red]\-0.00\ "/></numFmts><cellStyleXfs count="1"><xf numFmtId="0"/></cellStyleXfs><cellXfs count="4"><xf numFmtId="0"/><xf numFmtId="176" applyNumberFormat="1"/><xf numFmtId="177" applyNumberFormat="1"/><xf numFmtId="22" applyNumberFormat="1"/></cellXfs></styleSheet>)"},
        {"xl/worksheets/sheet1.xml",
         R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>只是说明</t></is></c></row></sheetData></worksheet>)"},
        {"xl/worksheets/sheet2.xml",
         R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><dimension ref="A1:E3"/><sheetData><row r="1" spans="1:5"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="E1" t="s"><v>3</v></c></row><row r="3"><c r="A3"><v>9787020002207</v></c><c r="B3" t="s"><v>2</v></c><c r="C3" s="2"><v>25.8</v></c><c r="D3" s="3"><v>41374.5</v></c><c r="E3" s="1"><v>41374</v></c></row><row r="4"><c r="A4" s="1"/></row></sheetData></worksheet>)"},
    };
    writeZip(path, parts);
}

// A workbook of one sheet "Sheet1" holding `sheetData` (the rows), nothing shared; with
// more `sheets`, "Sheet2" and on are further entries of the same part.
void writeSheetXlsx(const QString& path, const QByteArray& sheetData, int sheets = 1)
{
    QByteArray entries;
    for (int i = 1; i <= sheets; ++i)
        entries += QStringLiteral(R"(<sheet name="Sheet%1" sheetId="%1" r:id="rId1"/>)").arg(i).toUtf8();
    writeZip(path, {
        {"xl/workbook.xml",
         R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)" +
             entries + "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)"},
        {"xl/worksheets/sheet1.xml",
         R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" +
             sheetData + "</sheetData></worksheet>"},
    });
}

// Sets the size the zip's central directory declares for the sheet's part.
void declareSheetSize(const QString& path, quint32 size)
{
    QByteArray bytes = fileBytes(path);
    const qsizetype last = bytes.lastIndexOf("PK\x01\x02");  // the sheet's part is written last
    QVERIFY(last > 0);
    qToLittleEndian(size, bytes.data() + last + 24);
    QVERIFY(writeFile(path, bytes));
}

QString sampleSheet(const char* name) { return QStringLiteral(SCHOOLLIB_SHEETS "/") + QLatin1String(name); }

// The workbooks of damaged-workbooks.py too big to keep: written into `folder`.
bool writeBigDamagedWorkbooks(const QString& folder)
{
    return QProcess::execute(QStringLiteral("/usr/bin/python3"),
                             {QStringLiteral(SCHOOLLIB_SHEETS "/../damaged-workbooks.py"), folder, QStringLiteral("big")}) == 0;
}

// Where a child run under a memory limit finds the big workbooks its parent wrote.
const QString kBigWorkbooks = QStringLiteral("SCHOOLLIB_BIG_WORKBOOKS");
}

// An .xls laid out as spreadsheet programs write one: numbers as RK (whole, and with the
// divide-by-100 bit) and MULRK records, shared strings with a rich-text run and a phonetic
// part, a date under the custom format "yyyy\-mm\-dd", texts in UTF-16 (code page 1200),
// formulas of every kind of result.
void writeProgramXls(const QString& path)
{
    auto record = [](ByteWriter& w, quint16 type, const QByteArray& data) {
        w.u16(type);
        w.u16(quint16(data.size()));
        w.bytes(data);
    };
    auto data = [](auto fill) {
        ByteWriter d;
        fill(d);
        return d.take();
    };
    auto bof = [&](quint16 kind) { return data([&](ByteWriter& d) { d.u16(0x0600); d.u16(kind); d.u16(0x0DBB); d.u16(0x07CC); d.u32(0); d.u32(6); }); };
    auto xf = [&](quint16 format, quint16 type) {
        return data([&](ByteWriter& d) { d.u16(0); d.u16(format); d.u16(type); d.u8(0x20); d.zeros(3); d.zeros(8); d.u16(0x20C0); });
    };
    auto rk = [](qint32 value, bool hundredths) { return quint32(value) << 2 | 2u | (hundredths ? 1u : 0u); };

    ByteWriter sheet;
    record(sheet, 0x0809, bof(0x0010));
    record(sheet, 0x0200, data([](ByteWriter& d) { d.u32(0); d.u32(2); d.u16(0); d.u16(5); d.u16(0); }));
    record(sheet, 0x00FD, data([](ByteWriter& d) { d.u16(0); d.u16(0); d.u16(15); d.u32(0); }));
    record(sheet, 0x00FD, data([](ByteWriter& d) { d.u16(0); d.u16(1); d.u16(15); d.u32(1); }));
    record(sheet, 0x027E, data([&](ByteWriter& d) { d.u16(1); d.u16(0); d.u16(15); d.u32(rk(30, false)); }));
    record(sheet, 0x00BD, data([&](ByteWriter& d) {
        d.u16(1); d.u16(1);
        d.u16(15); d.u32(rk(2580, true));
        d.u16(16); d.u32(rk(42836, false));
        d.u16(2);
    }));
    record(sheet, 0x0203, data([](ByteWriter& d) { d.u16(1); d.u16(4); d.u16(15); d.f64(9787020002207.0); }));
    // Formulas with the results saved with them: a text in the STRING record after it
    // (continued, and wide from the CONTINUE on), the empty text, a boolean, a date, an error.
    auto formula = [&](quint16 column, quint16 xf, const QByteArray& result) {
        record(sheet, 0x0006, data([&](ByteWriter& d) { d.u16(2); d.u16(column); d.u16(xf); d.bytes(result); d.u16(0); d.u32(0); d.u16(0); }));
    };
    auto special = [](quint8 kind, quint8 value) { return QByteArray(1, char(kind)) + QByteArray(1, 0) + QByteArray(1, char(value)) + QByteArray(3, 0) + "\xFF\xFF"; };
    formula(0, 15, special(0, 0));
    record(sheet, 0x0207, data([](ByteWriter& d) { d.u16(5); d.u8(0); d.bytes("R00", 3); }));
    record(sheet, 0x003C, data([](ByteWriter& d) { d.u8(1); d.u16(u'1'); d.u16(u'号'); }));
    formula(1, 15, special(3, 0));
    formula(2, 15, special(1, 1));
    formula(3, 16, data([](ByteWriter& d) { d.f64(45170); }));
    formula(4, 15, special(2, 0x07));
    record(sheet, 0x000A, {});

    const QString rich = QStringLiteral("32开");
    ByteWriter globals;
    record(globals, 0x0809, bof(0x0005));
    record(globals, 0x0042, data([](ByteWriter& d) { d.u16(1200); }));
    for (int i = 0; i < 4; ++i)
        record(globals, 0x0031, data([](ByteWriter& d) { d.u16(200); d.u16(0); d.u16(0x7FFF); d.u16(400); d.u16(0); d.zeros(4); d.u8(5); d.u8(0); d.bytes("Arial", 5); }));
    record(globals, 0x041E, data([](ByteWriter& d) { d.u16(164); d.u16(12); d.u8(0); d.bytes("yyyy\\-mm\\-dd", 12); }));
    for (int i = 0; i < 15; ++i)
        record(globals, 0x00E0, xf(0, 0xFFF5));
    record(globals, 0x00E0, xf(0, 0x0001));
    record(globals, 0x00E0, xf(164, 0x0001));
    const qsizetype boundSheet = globals.size() + 4;
    record(globals, 0x0085, data([](ByteWriter& d) { d.u32(0); d.u16(0); d.u8(6); d.u8(0); d.bytes("Sheet1", 6); }));
    record(globals, 0x00FC, data([&](ByteWriter& d) {
        d.u32(2); d.u32(2);
        d.u16(quint16(rich.size())); d.u8(0x09); d.u16(1);  // UTF-16, one formatting run
        for (QChar c : rich) d.u16(c.unicode());
        d.u16(2); d.u16(1);                                   // the run: from character 2, font 1
        d.u16(2); d.u8(0x05); d.u32(4);                       // UTF-16 with 4 bytes of phonetic data
        for (QChar c : QStringLiteral("编号")) d.u16(c.unicode());
        d.u32(0x12345678);
    }));
    record(globals, 0x000A, {});
    globals.patch32(boundSheet, quint32(globals.size()));
    globals.bytes(sheet.data());

    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(writeCompoundFile(file, "Workbook", globals.take()));
}

class TestSpreadsheetFiles : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        if (!LimitedChild::isChild())
            QVERIFY(writeBigDamagedWorkbooks(m_dir.path()));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<SheetCell>("cell");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("keepsKind");
        const QDateTime morning(QDate(2017, 4, 11), QTime(9, 30, 15));
        const struct {
            const char* tag;
            SheetCell cell;
            QString expected;
        } cases[] = {
            {"chinese", SheetCell::fromText(QStringLiteral("红楼梦（第一版）")), QStringLiteral("红楼梦（第一版）")},
            {"apostrophe", SheetCell::fromText(QStringLiteral("O'Brien")), QStringLiteral("O'Brien")},
            {"quotes", SheetCell::fromText(QStringLiteral("他说\"好\"")), QStringLiteral("他说\"好\"")},
            {"quoted separator", SheetCell::fromText(QStringLiteral("\",\"")), QStringLiteral("\",\"")},
            {"separator", SheetCell::fromText(QStringLiteral("a,b")), QStringLiteral("a,b")},
            {"line break", SheetCell::fromText(QStringLiteral("上\r\n下\n末")), QStringLiteral("上\r\n下\n末")},
            {"blanks kept", SheetCell::fromText(QStringLiteral(" 两边 ")), QStringLiteral(" 两边 ")},
            {"whole", SheetCell::fromNumber(30), QStringLiteral("30")},
            {"decimal", SheetCell::fromNumber(25.8), QStringLiteral("25.8")},
            {"sum", SheetCell::fromNumber(0.1 + 0.2), QStringLiteral("0.3")},
            {"isbn", SheetCell::fromNumber(1234567890123.0), QStringLiteral("1234567890123")},
            {"date", SheetCell::fromSerialDate(serialFromDateTime(QDateTime(QDate(2017, 4, 11), QTime(0, 0)))),
             QStringLiteral("2017-04-11")},
            {"date and time", SheetCell::fromSerialDate(serialFromDateTime(morning)),
             QStringLiteral("2017-04-11 09:30:15")},
            // Cells read under a format keep what it shows.
            {"time", SheetCell::fromSerialDate(0.3541666666666667, DateParts::Time), QStringLiteral("08:30:00")},
            {"midnight", SheetCell::fromSerialDate(0, DateParts::Time), QStringLiteral("00:00:00")},
            {"date over noon", SheetCell::fromSerialDate(45170.5, DateParts::Date), QStringLiteral("2023-09-01")},
            {"date and time at midnight", SheetCell::fromSerialDate(45170, DateParts::DateTime),
             QStringLiteral("2023-09-01 00:00:00")},
            {"time of a later day", SheetCell::fromSerialDate(45170.75, DateParts::Time), QStringLiteral("18:00:00")},
            {"elapsed hours", SheetCell::fromSerialDate(30.25 / 24, DateParts::ElapsedHours), QStringLiteral("30:15:00")},
            {"elapsed minutes", SheetCell::fromSerialDate(30.25 / 24, DateParts::ElapsedMinutes), QStringLiteral("1815:00")},
            {"elapsed seconds", SheetCell::fromSerialDate(30.25 / 24, DateParts::ElapsedSeconds), QStringLiteral("108900")},
            {"negative duration", SheetCell::fromSerialDate(-0.5, DateParts::ElapsedHours), QStringLiteral("-12:00:00")},
        };
        for (const char* ext : {"xls", "xlsx", "csv"}) {
            for (const auto& c : cases) {
                QTest::addRow("%s %s", ext, c.tag)
                    << QStringLiteral("round.%1").arg(QLatin1String(ext)) << c.cell << c.expected
                    << (qstrcmp(ext, "csv") != 0);
            }
        }
    }

    void roundTrip()
    {
        QFETCH(QString, file);
        QFETCH(SheetCell, cell);
        QFETCH(QString, expected);
        QFETCH(bool, keepsKind);
        const auto text = [](const char* t) { return SheetCell::fromText(QString::fromUtf8(t)); };
        const Sheet written =
            sheetOf(QStringLiteral("sheet1"), {{text("甲"), text("乙"), text("丙"), text("丁")}, {text("A"), cell, {}, text("Z")}, {cell}});
        QString error;
        QVERIFY2(saveSpreadsheet(path(file), {&written}, QLatin1Char(','), true, &error), qPrintable(error));

        Workbook book;
        QVERIFY2(readSpreadsheet(path(file), QLatin1Char(','), &book, &error), qPrintable(error));
        QCOMPARE(book.size(), size_t(1));
        const Sheet& read = book.front();
        QCOMPARE(read.rows.size(), size_t(3));
        QCOMPARE(texts(read.rows[1]), (QStringList{"A", expected, "", "Z"}));
        if (keepsKind)
            QCOMPARE(int(read.rows[1][1].kind), int(cell.kind));
        if (keepsKind && cell.kind == SheetCell::Kind::Date) {
            QCOMPARE(int(read.rows[1][1].shownParts()), int(cell.shownParts()));
            QCOMPARE(read.rows[1][1].number, cell.number);
        }

        // The file class reads a workbook's row with every column, a text file's as it stands.
        CExcelFile sheetFile(path(file), keepsKind ? QStringLiteral("SHEET1") : QStringLiteral(","));
        QStringList cells;
        QVERIFY(sheetFile.ReadRow(cells, 3));
        QCOMPARE(cells, keepsKind ? QStringList({expected, QString(), QString(), QString()}) : QStringList{expected});
    }

    void xlsHoldsAFullSheet_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("written");
        QTest::newRow("the most a sheet holds") << kXlsMaxRows << true;
        QTest::newRow("one more") << kXlsMaxRows + 1 << false;
    }

    // Unique texts in every cell: the shared string table runs over thousands of CONTINUE
    // records and the file needs allocation sectors beyond the header's 109.
    void xlsHoldsAFullSheet()
    {
        QFETCH(int, rows);
        QFETCH(bool, written);
        Sheet sheet;
        sheet.sheetName = QStringLiteral("sheet1");
        for (int r = 0; r < rows; ++r) {
            CellRow cells;
            for (int c = 0; c < 8; ++c)
                cells.push_back(SheetCell::fromText(QStringLiteral("第%1行第%2列").arg(r).arg(c)));
            sheet.rows.push_back(std::move(cells));
        }
        const QString file = path(QStringLiteral("full%1.xls").arg(rows));
        QString error;
        QCOMPARE(saveSpreadsheet(file, {&sheet}, QLatin1Char(','), true, &error), written);
        if (!written) {
            QCOMPARE(error, xlsRowLimitText(rows));
            QVERIFY(!QFile::exists(file));
            QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QString::number(rows)).size(), 0);
            return;
        }
        QVERIFY(QFileInfo(file).size() > 7 * 1024 * 1024);
        Workbook book;
        QVERIFY2(readSpreadsheet(file, QLatin1Char(','), &book, &error), qPrintable(error));
        QCOMPARE(book.front().rows.size(), size_t(rows));
        QCOMPARE(texts(book.front().rows.back()), texts(sheet.rows.back()));
        QCOMPARE(texts(book.front().rows[31337]), texts(sheet.rows[31337]));
    }

    void readsWhatSpreadsheetProgramsWrite()
    {
        const QString file = path(QStringLiteral("program.xlsx"));
        writeProgramXlsx(file);
        QCOMPARE(fileRows(file, QStringLiteral("读者")),
                 (Rows{{"编号", "32开", "", "", "登记日期"},
                       QStringList(5),
                       {"9787020002207", " 张三 ", "25.8", "2017-04-11 12:00:00", "2017-04-11"}}));
        QCOMPARE(fileRows(file), Rows{{"只是说明"}});
    }

    void readsWhatOtherProgramsWriteAsXls()
    {
        const QString file = path(QStringLiteral("program.xls"));
        writeProgramXls(file);
        QCOMPARE(fileRows(file, QStringLiteral("sheet1")),
                 (Rows{{"32开", "编号", "", "", ""},
                       {"30", "25.8", "2017-04-11", "", "9787020002207"},
                       {"R001号", "", "TRUE", "2023-09-01", "#DIV/0!"}}));
    }

    // Saved by LibreOffice (soffice --headless --convert-to xls|xlsx sheets/formulas.fods):
    // formulas giving a number, a boolean, a date and an error, a date-time at midnight and
    // a date-only format over a value with a time of day. (Its .xls filter saves 0 for text
    // results, so texts are in writeProgramXls.)
    void readsSavedFormulaResults_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("xls") << sampleSheet("formulas.xls");
        QTest::newRow("xlsx") << sampleSheet("formulas.xlsx");
    }

    void readsSavedFormulaResults()
    {
        QFETCH(QString, file);
        QCOMPARE(fileRows(file, QStringLiteral("读者")),
                 (Rows{{"编号", "单价", "数量", "金额", "贵", "登记时间", "登记日期", "到期", "平均"},
                       {"R001", "25.8", "2", "51.6", "TRUE", "2023-09-01 00:00:00", "2023-09-01", "2023-09-02", "25.8"},
                       {"R002", "8.5", "0", "0", "FALSE", "2023-09-01 08:30:00", "2023-09-01", "2023-09-02", "#DIV/0!"}}));
    }

    void formatDecidesWhatADateShows_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<double>("serial");
        QTest::addColumn<QString>("shown");
        const double september1 = 45170;
        QTest::newRow("date and time at midnight") << "yyyy\\-mm\\-dd\\ hh:mm:ss" << september1 << "2023-09-01 00:00:00";
        QTest::newRow("date and time") << "m/d/yyyy h:mm" << september1 + 0.5 << "2023-09-01 12:00:00";
        QTest::newRow("date only over noon") << "yyyy\\-mm\\-dd" << september1 + 0.5 << "2023-09-01";
        QTest::newRow("chinese date") << "yyyy\"年\"m\"月\"d\"日\";@" << september1 << "2023-09-01";
        QTest::newRow("minutes and seconds") << "mm:ss" << 0.25 << "06:00:00";
        QTest::newRow("time at midnight") << "hh:mm:ss" << 0.0 << "00:00:00";
        QTest::newRow("time of a date") << "h:mm AM/PM" << september1 + 0.75 << "18:00:00";
        QTest::newRow("time in a 1904 workbook") << "hh:mm:ss" << kDays1904 + 0.25 << "06:00:00";
        QTest::newRow("months") << "mmm" << september1 << "2023-09-01";
        QTest::newRow("no date") << "0.00_ ;[Red]\\-0.00\\ " << september1 << "";
        QTest::newRow("duration") << "[h]:mm:ss" << 30.25 / 24 << "30:15:00";
        QTest::newRow("duration of minutes") << "[mm]:ss;@" << 30.25 / 24 << "1815:00";
        QTest::newRow("duration of seconds") << "[s]" << 30.25 / 24 << "108900";
        QTest::newRow("short duration") << "[HH]:MM" << 0.75 / 24 << "0:45:00";
        QTest::newRow("colour before a time") << "[Magenta]hh:mm:ss" << september1 + 0.75 << "18:00:00";
    }

    void builtInFormats()
    {
        QCOMPARE(builtInDateParts(14), DateParts::Date);
        QCOMPARE(builtInDateParts(21), DateParts::Time);
        QCOMPARE(builtInDateParts(22), DateParts::DateTime);
        QCOMPARE(builtInDateParts(46), DateParts::ElapsedHours);  // "[h]:mm:ss"
    }

    void formatDecidesWhatADateShows()
    {
        QFETCH(QString, code);
        QFETCH(double, serial);
        QFETCH(QString, shown);
        const DateParts parts = dateFormatParts(code);
        QCOMPARE(parts == DateParts::None, shown.isEmpty());
        if (!shown.isEmpty())
            QCOMPARE(SheetCell::fromSerialDate(serial, parts).displayText(), shown);
    }

    // A crafted sheet is refused with the reason, before it takes the memory.
    void refusesSheetsPastTheFormat_data()
    {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QString>("reason");
        const QString rows = QStringLiteral("1048576行");
        const QString columns = QStringLiteral("16384列");
        QTest::newRow("row two billion") << QByteArray(R"(<row r="2000000000"><c r="A2000000000"><v>1</v></c></row>)") << rows;
        QTest::newRow("one row past") << QByteArray(R"(<row r="1048577"><c><v>1</v></c></row>)") << rows;
        QTest::newRow("row number of letters") << QByteArray(R"(<row r="x"><c><v>1</v></c></row>)") << rows;
        QTest::newRow("one column past") << QByteArray(R"(<row r="1"><c r="XFE1"><v>1</v></c></row>)") << columns;
        QTest::newRow("seven letters") << QByteArray(R"(<row r="1"><c r="AAAAAAA1"><v>1</v></c></row>)") << columns;
        QTest::newRow("letters past int") << QByteArray(R"(<row r="1"><c r="ZZZZZZZZZZZZ1"><v>1</v></c></row>)") << columns;
        QTest::newRow("cells without references past the last column")
            << "<row>" + QByteArray("<c><v>1</v></c>").repeated(kXlsxMaxColumns + 1) + "</row>" << columns;
    }

    void refusesSheetsPastTheFormat()
    {
        QFETCH(QByteArray, rows);
        QFETCH(QString, reason);
        const QString file = path(QStringLiteral("crafted.xlsx"));
        writeSheetXlsx(file, rows);
        Workbook book;
        QString error;
        QVERIFY(!readSpreadsheet(file, QLatin1Char(','), &book, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }

    void readsTheLastCellOfASheet()
    {
        const QString file = path(QStringLiteral("corner.xlsx"));
        writeSheetXlsx(file, R"(<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>)");
        Workbook book;
        QString error;
        QVERIFY2(readSpreadsheet(file, QLatin1Char(','), &book, &error), qPrintable(error));
        QCOMPARE(book.front().rowCount(), kXlsxMaxRows);
        QCOMPARE(book.front().columnCount(), kXlsxMaxColumns);
    }

    // The sizes a zip declares are checked against what really inflates.
    void refusesPartsOfAnotherSize_data()
    {
        QTest::addColumn<quint32>("declared");
        QTest::addColumn<QString>("reason");
        QTest::newRow("two gigabytes") << quint32(0x7FFFFFFF) << QStringLiteral("超过1024 MB");
        QTest::newRow("less than inflates") << quint32(10) << QStringLiteral("已损坏");
        QTest::newRow("more than inflates") << quint32(100000) << QStringLiteral("已损坏");
    }

    void refusesPartsOfAnotherSize()
    {
        QFETCH(quint32, declared);
        QFETCH(QString, reason);
        const QString file = path(QStringLiteral("sized.xlsx"));
        writeSheetXlsx(file, R"(<row r="1"><c r="A1"><v>1</v></c></row>)");
        declareSheetSize(file, declared);
        Workbook book;
        QString error;
        QVERIFY(!readSpreadsheet(file, QLatin1Char(','), &book, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }

    // Inputs the fuzzers found (sheets/damaged): each is read within bounds or refused
    // with a reason, and nothing reads outside the file.
    void damagedFilesAreRefusedOrRead_data()
    {
        QTest::addColumn<QString>("file");
        const QDir damaged(QStringLiteral(SCHOOLLIB_SHEETS "/damaged"));
        for (const QString& name : damaged.entryList(QDir::Files))
            QTest::newRow(qPrintable(name)) << damaged.filePath(name);
    }

    void damagedFilesAreRefusedOrRead()
    {
        QFETCH(QString, file);
        Workbook book;
        QString error;
        if (!readSpreadsheet(file, QLatin1Char(','), &book, &error)) {
            QVERIFY(!error.isEmpty());
            return;
        }
        for (const Sheet& sheet : book) {
            QVERIFY(sheet.rowCount() <= kXlsxMaxRows);
            QVERIFY(sheet.columnCount() <= kXlsxMaxColumns);
        }
    }

    // Files made on purpose (damaged-workbooks.py): each is refused with its reason. Crafted
    // ones take far more memory than their size and are refused before they take it; the
    // others each break one check of the compound file or the BIFF records.
    void damagedWorkbooksAreRefusedWithTheReason_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");  // a pattern
        const QString damaged = QStringLiteral(SCHOOLLIB_SHEETS "/damaged/");
        const QString budget = QStringLiteral("不能读取：整个工作簿读入内存将超过\\d+ MB$");
        const auto exactly = [](const QString& text) { return QLatin1Char('^') + QRegularExpression::escape(text) + QLatin1Char('$'); };
        const QString stream = exactly(QStringLiteral("复合文档中的Workbook数据已损坏"));
        QTest::newRow("100 sheet entries of one far row")
            << damaged + "many-sheets-far-row.xlsx" << "^xlsx文件的工作表“S\\d+”" + budget;
        QTest::newRow("3,000 sheet entries of one far row")
            << damaged + "three-thousand-sheets.xlsx" << "^xlsx文件的工作表“S\\d+”" + budget;
        QTest::newRow("1,000 BOUNDSHEETs of one far row") << damaged + "many-sheets-far-row.xls" << "^xls文件的工作表“S\\d+”" + budget;
        QTest::newRow("60,000 BOUNDSHEETs of one far row") << path("sixty-thousand-sheets.xls") << "^xls文件的工作表“S\\d+”" + budget;
        QTest::newRow("shared strings of a gigabyte")
            << path("shared-strings-bomb.xlsx") << "^xlsx文件的共享文字不能读取：整个工作簿读入内存将超过\\d+ MB$";
        // Each empty string is counted, though it has no text to count.
        QTest::newRow("8 million empty shared strings")
            << path("eight-million-empty-strings.xlsx") << "^xlsx文件的共享文字不能读取：整个工作簿读入内存将超过\\d+ MB$";
        // The file may take enough for the XML reader's share of the name's start tag, not
        // for the name's own copy besides: the sheet list is refused, not read short.
        QTest::newRow("a sheet name of 40 million characters")
            << path("sheet-name-of-forty-million.xlsx") << exactly(QStringLiteral("xlsx工作簿不能读取：整个工作簿读入内存将超过952 MB"));
        QTest::newRow("circular sector chain") << damaged + "circular-chain.xls" << stream;
        QTest::newRow("last sector cut inside the data") << damaged + "cut-in-last-sector.xls" << stream;
        QTest::newRow("short sector inside the chain") << damaged + "short-sector-inside-chain.xls" << stream;
        QTest::newRow("mini stream's container past the end") << damaged + "mini-container-past-end.xls" << stream;
        QTest::newRow("stream shorter than declared") << damaged + "stream-longer-than-chain.xls" << stream;
        QTest::newRow("table larger than the file")
            << damaged + "table-larger-than-file.xls" << exactly(QStringLiteral("文件的复合文档头已损坏"));
        QTest::newRow("sheet record past the end")
            << damaged + "record-past-end.xls"
            << exactly(QStringLiteral("xls文件的工作表“借阅”不能读取：记录的长度超出了文件中数据的末尾（文件已损坏）"));
        QTest::newRow("globals record past the end")
            << damaged + "globals-record-past-end.xls" << exactly(QStringLiteral("文件不是可读的xls表格文件（已损坏）"));
    }

    void damagedWorkbooksAreRefusedWithTheReason()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        Workbook book;
        QString error;
        QVERIFY(!readSpreadsheet(file, QLatin1Char(','), &book, &error));
        QVERIFY2(QRegularExpression(reason).match(error).hasMatch(), qPrintable(error));
        QVERIFY(book.empty());
    }

    // Workbooks that want gigabytes, each read in a child whose address space is limited as
    // a small machine's is: each is refused with its reason, and the reading stays within what
    // its file may take (64 MiB and 128 bytes a byte of the file, at most 1 GiB) and the
    // little the readers hold besides. The first three took 3 to 5 GB before they were
    // refused. Under a limit below what the file may take, the file is refused for the memory
    // the machine lacks, and the program goes on.
    void refusedWithinTheirBudgetUnderALimit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint64>("limit");
        QTest::addColumn<QString>("reason");  // a pattern
        const QString sheet = QStringLiteral("^xlsx文件的工作表“S1”不能读取：");
        const QString spent = QStringLiteral("整个工作簿读入内存将超过%1 MB$");
        const quint64 twoGiB = 2 * LimitedChild::kGiB;
        const QString blanks = sheet + "xl/worksheets/sheet1\\.xml展开后，" + spent.arg(1024);
        QTest::newRow("900 MiB of blanks") << "blanks-900-mib.xlsx" << twoGiB << blanks;
        QTest::newRow("900 MiB of blanks, 4 GB") << "blanks-900-mib.xlsx" << 4 * LimitedChild::kGiB << blanks;
        QTest::newRow("1,000 MiB of empty shared strings")
            << "empty-strings-1000-mib.xlsx" << twoGiB << "^xlsx文件的共享文字不能读取：" + spent.arg(1024);
        QTest::newRow("1,000,000 rows of 30 numbers") << "million-rows-of-30-numbers.xlsx" << twoGiB << sheet + spent.arg(1024);
        // What the XML reader holds for each element open.
        QTest::newRow("ten million elements deep")
            << "ten-million-deep.xlsx" << twoGiB << sheet + "xl/worksheets/sheet1\\.xml展开后，" + spent.arg(67);
        // Rows of a far cell that want 4 GB beside 2 MB and 12 MB of incompressible data.
        QTest::newRow("128 bytes a byte of the file") << "far-rows-beside-2-mb.xlsx" << twoGiB << sheet + spent.arg(308);
        QTest::newRow("1 GiB at most") << "far-rows-beside-12-mb.xlsx" << twoGiB << sheet + spent.arg(1024);
        // A chain going round two sectors stops after as many sectors as the file has, not
        // the 2 million its allocation table lists.
        QTest::newRow("circular chain in a big table")
            << "circular-chain-big-table.xls" << twoGiB << QStringLiteral("^复合文档中的Workbook数据已损坏$");
        QTest::newRow("less memory than the file may take")
            << "far-rows-beside-12-mb.xlsx" << LimitedChild::kGiB << QStringLiteral("^内存不足，不能读取这个文件$");
    }

    void refusedWithinTheirBudgetUnderALimit()
    {
        QFETCH(QString, name);
        QFETCH(quint64, limit);
        QFETCH(QString, reason);
        if (!LimitedChild::isChild()) {
            LimitedChild::run(limit, {kBigWorkbooks + QLatin1Char('=') + m_dir.path()});
            return;
        }
        Workbook book;
        QString error;
        const QString file = qEnvironmentVariable(qPrintable(kBigWorkbooks)) + QLatin1Char('/') + name;
        QVERIFY(!readSpreadsheet(file, QLatin1Char(','), &book, &error));
        QVERIFY2(QRegularExpression(reason).match(error).hasMatch(), qPrintable(error));
        QVERIFY(book.empty());
    }

    // A record continued by millions of CONTINUE records: the list of its pieces is counted
    // as it grows (4 million pieces take the 64 MiB a small file may), and given back with it.
    void continuedRecordsCountTheirPieces()
    {
        ReadBudget budget(0);
        {
            ContinuedData data(QByteArrayView(), &budget);
            int pieces = 1;
            while (pieces < 10000000 && data.add(QByteArrayView()))
                ++pieces;
            QVERIFY(budget.exceeded());
            QVERIFY(pieces < (1 << 22));
        }
        QCOMPARE(budget.taken(), quint64(0));
    }

    // A compound file's allocation table and directory are held while its stream is gathered:
    // each is taken from the budget before it is allocated, and only the stream stays counted.
    // A file may list up to 109 table sectors in its header, whatever its streams need.
    void compoundStreamTakesFromTheBudget_data()
    {
        QTest::addColumn<int>("tableSectors");
        QTest::addColumn<int>("room");
        QTest::addColumn<bool>("read");
        QTest::newRow("room for all") << 1 << (64 << 10) << true;
        QTest::newRow("room for the stream alone") << 1 << (4 << 10) << false;
        QTest::newRow("a long table, room for all") << 101 << (64 << 10) << true;
        QTest::newRow("a long table, no room for it beside the stream") << 101 << (32 << 10) << false;
    }

    void compoundStreamTakesFromTheBudget()
    {
        QFETCH(int, tableSectors);
        QFETCH(int, room);
        QFETCH(bool, read);
        const QByteArray data(4096, 'x');
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(writeCompoundFile(buffer, "Workbook", data));
        QByteArray file = buffer.data();
        // Sectors past the file's own (its header and ten sectors), listed as table sectors of
        // free entries.
        for (int i = 1; i < tableSectors; ++i) {
            qToLittleEndian<quint32>(quint32(9 + i), file.data() + 76 + 4 * i);
            file += QByteArray(512, '\xFF');
        }
        qToLittleEndian<quint32>(quint32(tableSectors), file.data() + 44);

        ReadBudget budget(0);
        const quint64 spent = budget.limit() - quint64(room);
        QVERIFY(budget.take(spent));
        QByteArray stream;
        QString error;
        QCOMPARE(readCompoundStream(file, u"Workbook", budget, &stream, &error), read);
        if (read) {
            QCOMPARE(stream, data);
            QCOMPARE(budget.taken() - spent, quint64(stream.capacity()));
        } else {
            QCOMPARE(error, budget.exceededText());
            QCOMPARE(budget.taken(), spent);
        }
    }

    // A small workbook kept in the compound file's mini stream, as spreadsheet programs keep
    // streams under 4096 bytes.
    void readsAWorkbookInTheMiniStream()
    {
        QCOMPARE(fileRows(QStringLiteral(SCHOOLLIB_SHEETS "/damaged/mini-stream.xls"), QStringLiteral("S1")), Rows{{"42"}});
    }

    // Damaged copies that still hold the whole workbook read as the file they were made from:
    // a last sector cut after the stream's data (its padding left out, as some writers do),
    // and cell records in the section of the sheet's embedded chart (charts keep their
    // cached values so), which are the chart's and not the sheet's.
    void damagedWorkbooksReadAsWritten_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("short last sector") << QStringLiteral(SCHOOLLIB_SHEETS "/damaged/short-last-sector.xls");
        QTest::newRow("cells in the chart") << QStringLiteral(SCHOOLLIB_SHEETS "/damaged/chart-cells.xls");
    }

    void damagedWorkbooksReadAsWritten()
    {
        QFETCH(QString, file);
        const Rows written = fileRows(sampleSheet("chart.xls"), QStringLiteral("借阅"));
        QCOMPARE(written.size(), 61);
        QCOMPARE(written.mid(0, 3), (Rows{{"班级", "次数"}, {"一班", "12"}, {"二班", "7"}}));
        QCOMPARE(fileRows(file, QStringLiteral("借阅")), written);
    }

    // One budget for the whole workbook: two sheets of the last row take 48 MiB of row
    // slots and read; a third passes the 64 MiB a small file is allowed.
    void budgetCountsEverySheet_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<QString>("error");
        QTest::newRow("two") << 2 << QString();
        QTest::newRow("three") << 3 << QStringLiteral("xlsx文件的工作表“Sheet3”不能读取：整个工作簿读入内存将超过64 MB");
    }

    void budgetCountsEverySheet()
    {
        QFETCH(int, sheets);
        QFETCH(QString, error);
        const QString file = path(QStringLiteral("far%1.xlsx").arg(sheets));
        writeSheetXlsx(file, R"(<row r="1048576"><c r="A1048576"><v>1</v></c></row>)", sheets);
        Workbook book;
        QString reason;
        QCOMPARE(readSpreadsheet(file, QLatin1Char(','), &book, &reason), error.isEmpty());
        QCOMPARE(reason, error);
        QCOMPARE(book.size(), size_t(error.isEmpty() ? sheets : 0));
    }

    // A text file takes its rows and cells from the budget as well, and the copies its
    // decoding holds for a moment: 12 MiB of text hold 72 MiB while they are decoded.
    void textStopsAtTheBudget_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cells") << QByteArray(2 << 20, ',');
        QTest::newRow("decoding") << QByteArray(12 << 20, 'a');
    }

    void textStopsAtTheBudget()
    {
        QFETCH(QByteArray, bytes);
        ReadBudget budget(0);
        const Sheet sheet = parseDelimited(bytes, QStringLiteral(","), budget);
        QVERIFY(budget.exceeded());
        QVERIFY(sheet.rows.empty());
    }

    // Written by LibreOffice in the 1904 date system (soffice --headless --convert-to xls|xlsx
    // sheets/times1904.fods): dates keep their day, times of day show the time alone.
    void readsTimesAndThe1904DateSystem_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("xls") << sampleSheet("times1904.xls");
        QTest::newRow("xlsx") << sampleSheet("times1904.xlsx");
    }

    void readsTimesAndThe1904DateSystem()
    {
        QFETCH(QString, file);
        QCOMPARE(fileRows(file, QStringLiteral("读者")),
                 (Rows{{"编号", "登记日期", "到馆"}, {"R001", "2023-09-01", "08:30:00"}, {"R002", "1998-02-28", "00:00:00"}}));
    }

    // The format lets generators leave out the references of rows and cells: each follows
    // the one before it, empty cells counted.
    void rowsAndCellsWithoutReferences()
    {
        const QString file = path(QStringLiteral("unnumbered.xlsx"));
        writeSheetXlsx(file, R"(<row r="2"><c r="B2" t="inlineStr"><is><t>a</t></is></c></row>)"
                             R"(<row><c t="inlineStr"><is><t>b</t></is></c><c/><c><v>3</v></c></row>)"
                             R"(<row r="5"><c r="C5"><v>5</v></c><c><v>6</v></c></row>)"
                             R"(<row><c><v>7</v></c></row>)");
        Workbook book;
        QString error;
        QVERIFY2(readSpreadsheet(file, QLatin1Char(','), &book, &error), qPrintable(error));
        Rows rows;
        for (const CellRow& cells : book.front().rows)
            rows << texts(cells);
        QCOMPARE(rows, (Rows{{}, {"", "a"}, {"b", "", "3"}, {}, {"", "", "5", "6"}, {"7"}}));
    }

    void textFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("utf-8 with mark, LF, unquoted")
            << QByteArray("\xEF\xBB\xBF" "a,\xE4\xB8\xAD\xE6\x96\x87,\n,x,\n")
            << QList<QStringList>{{"a", QStringLiteral("中文"), ""}, {"", "x", ""}};
        QTest::newRow("gb18030, CRLF, quoted break")
            << QByteArray("\"\xD6\xD0\r\n\xCE\xC4\",\"a\"\"b\"\r\n\"\x95\x32\x82\x36\",\r\n")
            << QList<QStringList>{{QStringLiteral("中\r\n文"), "a\"b"}, {QStringLiteral("𠀀"), ""}};
        QTest::newRow("quoted separator stays one cell")
            << QByteArray("\",\",\"\"\"\"\r\n") << QList<QStringList>{{",", "\""}};
    }

    void textFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QStringList>, rows);
        const Sheet sheet = parseDelimited(bytes, QStringLiteral(","));
        QCOMPARE(int(sheet.rows.size()), rows.size());
        for (int r = 0; r < rows.size(); ++r)
            QCOMPARE(texts(sheet.rows[size_t(r)]), rows[r]);
    }

    void textIsWrittenInGb18030()
    {
        const Sheet sheet = sheetOf({}, {{SheetCell::fromText(QStringLiteral("中文")), SheetCell::fromText(QStringLiteral("𠀀"))}});
        QString error;
        QVERIFY(saveSpreadsheet(path(QStringLiteral("gb.txt")), {&sheet}, QLatin1Char('\t'), true, &error));
        QCOMPARE(fileBytes(path(QStringLiteral("gb.txt"))), QByteArray("\"\xD6\xD0\xCE\xC4\"\t\"\x95\x32\x82\x36\"\r\n"));
    }

    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("xls") << QStringLiteral("kept.xls");
        QTest::newRow("xlsx") << QStringLiteral("kept.xlsx");
        QTest::newRow("text") << QStringLiteral("kept.csv");
    }

    // A file-size limit stops the write midway, for root as for anybody.
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(QString, file);
        const Sheet small = sheetOf(QStringLiteral("sheet1"), {{SheetCell::fromText(QStringLiteral("旧"))}});
        QString error;
        QVERIFY(saveSpreadsheet(path(file), {&small}, QLatin1Char(','), true, &error));
        const QByteArray before = fileBytes(path(file));

        Sheet big;
        big.sheetName = QStringLiteral("sheet1");
        for (int r = 0; r < 20000; ++r)
            big.rows.push_back({SheetCell::fromText(QStringLiteral("新的一行 %1").arg(r * 7919 % 10007)), SheetCell::fromNumber(r / 7.0)});
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = old;
        tight.rlim_cur = 12 * 1024;
        setrlimit(RLIMIT_FSIZE, &tight);
        const bool saved = saveSpreadsheet(path(file), {&big}, QLatin1Char(','), true, &error);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);

        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(path(file)), before);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".kept")), QStringList());
    }

    void limitsAreCheckedFirst_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("columns");
        QTest::addColumn<SheetCell>("cell");
        const SheetCell one = SheetCell::fromNumber(1);
        const SheetCell tooLong = SheetCell::fromText(QString(kMaxCellText + 1, QChar(u'书')));
        QTest::newRow("xls columns") << QStringLiteral("wide.xls") << QStringLiteral("s") << 257 << one;
        QTest::newRow("long sheet name") << QStringLiteral("name.xlsx") << QString(32, QLatin1Char('n')) << 1 << one;
        QTest::newRow("bad sheet name") << QStringLiteral("name.xls") << QStringLiteral("a/b") << 1 << one;
        QTest::newRow("xls text too long") << QStringLiteral("long.xls") << QStringLiteral("s") << 1 << tooLong;
        QTest::newRow("xlsx text too long") << QStringLiteral("long.xlsx") << QStringLiteral("s") << 1 << tooLong;
    }

    void limitsAreCheckedFirst()
    {
        QFETCH(QString, file);
        QFETCH(QString, name);
        QFETCH(int, columns);
        QFETCH(SheetCell, cell);
        const Sheet sheet = sheetOf(name, {CellRow(size_t(columns), cell)});
        QString error;
        QVERIFY(!saveSpreadsheet(path(file), {&sheet}, QLatin1Char(','), true, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(path(file)));
    }

    void noReplaceLeavesAnAppearedFile()
    {
        QVERIFY(writeFile(path(QStringLiteral("appeared.xlsx")), "someone else's"));
        const Sheet sheet = sheetOf(QStringLiteral("Sheet1"), {{SheetCell::fromNumber(1)}});
        QString error;
        QVERIFY(!saveSpreadsheet(path(QStringLiteral("appeared.xlsx")), {&sheet}, QLatin1Char(','), false, &error));
        QCOMPARE(fileBytes(path(QStringLiteral("appeared.xlsx"))), QByteArray("someone else's"));
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetFiles)
#include "test_spreadsheet_files.moc"
