#include "sheets/ExcelFile.h"
#include "sheets/SpreadsheetFile.h"
#include "sheets/SpreadsheetFormat.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A sheet written through the class itself: header, then the rows, one commit.
void writeSheet(const QString& path, const QString& sheet, const Rows& rows)
{
    CExcelFile file(path, sheet);
    file.BeginTransaction();
    QVERIFY(file.AddHeaders(rows.front(), false));
    for (qsizetype i = 1; i < rows.size(); ++i)
        QVERIFY(file.AddRow(rows[i]));
    QVERIFY2(file.Commit(), qPrintable(file.GetLastError()));
}

// A workbook's filler cell reads back as a space, a text file's as empty.
QString fillerOf(const QString& extension)
{
    return extension.startsWith(QLatin1String("xls")) ? QStringLiteral(" ") : QString();
}

Workbook fileBook(const QString& path)
{
    Workbook book;
    QString error;
    if (!readSpreadsheet(path, QLatin1Char(','), &book, &error))
        qWarning("%s", qPrintable(error));
    return book;
}

QStringList sheetNames(const QString& path)
{
    QStringList names;
    for (const Sheet& sheet : fileBook(path))
        names << sheet.sheetName;
    return names;
}

Rows heldRows(CExcelFile& file)
{
    Rows rows;
    QStringList cells;
    for (int row = 1; row <= file.GetTotalRows() && file.ReadRow(cells, row); ++row)
        rows << cells;
    return rows;
}

// A column given as digits takes the numbered form, any other text the named one.
bool addCellBy(CExcelFile& file, const QString& value, const QString& column, int row, bool letters)
{
    bool numbered = false;
    const int number = column.toInt(&numbered);
    return numbered ? file.AddCell(value, number, row) : file.AddCell(value, column, row, letters);
}

bool readCellBy(CExcelFile& file, QString& text, const QString& column, int row, bool letters)
{
    bool numbered = false;
    const int number = column.toInt(&numbered);
    return numbered ? file.ReadCell(text, number, row) : file.ReadCell(text, column, row, letters);
}

bool readColumnBy(CExcelFile& file, QStringList& cells, const QString& column, bool letters)
{
    bool numbered = false;
    const int number = column.toInt(&numbered);
    return numbered ? file.ReadColumn(cells, number) : file.ReadColumn(cells, column, letters);
}

const QStringList kExtensions{"xls", "xlsx", "csv"};

// One row for each kind of file, in the column "extension".
void extensionRows()
{
    QTest::addColumn<QString>("extension");
    for (const QString& e : kExtensions)
        QTest::newRow(e.toLatin1().constData()) << e;
}
const Rows kBooks{{"书名", "单价"}, {"红楼梦", "30"}, {"西游记"}};
}

class TestExcelFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_serial = 0;
    QString newPath(const QString& extension) { return m_dir.filePath(QStringLiteral("f%1.%2").arg(++m_serial).arg(extension)); }
    // A copy of a sample that another program wrote, to change.
    QString copyOfSample(const QString& sample)
    {
        const QString path = m_dir.filePath(QStringLiteral("%1-%2").arg(++m_serial).arg(sample));
        return QFile::copy(QFINDTESTDATA("samples/" + sample), path) ? path : QString();
    }

private slots:
    void addRow_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QString>("error");
        QTest::addColumn<Rows>("expected");
        const QStringList header{"书名", "单价"};
        const QStringList first{"红楼梦", "30"};
        const QStringList second{"O'Brien", "\",\""};
        for (const char* ext : {"xls", "xlsx", "csv"}) {
            const QString e = QLatin1String(ext);
            const QString f = fillerOf(e);
            QTest::addRow("%s append", ext) << e << QStringList{"新", "1"} << 0 << false << QString()
                                            << Rows{header, first, second, {"新", "1"}};
            QTest::addRow("%s past the end", ext) << e << QStringList{"新", "1"} << 6 << false << QString()
                                                  << Rows{header, first, second, {f, f}, {f, f}, {"新", "1"}};
            QTest::addRow("%s replace", ext) << e << QStringList{"新", "1"} << 2 << true << QString()
                                             << Rows{header, {"新", "1"}, second};
            QTest::addRow("%s insert", ext) << e << QStringList{"新", "1"} << 3 << false << QString()
                                            << Rows{header, first, {"新", "1"}, second};
            // A workbook's rows have every column of the sheet, a text file's the cells they have.
            QTest::addRow("%s short row", ext) << e << QStringList{"新"} << 0 << false << QString()
                                               << Rows{header, first, second, e == "csv" ? QStringList{"新"} : QStringList{"新", ""}};
        }
        QTest::newRow("xls header names twice")
            << "xls" << QStringList{"a", "a"} << 1 << true << "首行列头字段重复:a\n" << Rows{header, first, second};
        QTest::newRow("xlsx shorter header")
            << "xlsx" << QStringList{"a"} << 1 << true << "新列头数不能小于原列头数" << Rows{header, first, second};
        QTest::newRow("xls row wider than the header")
            << "xls" << QStringList{"1", "2", "3"} << 0 << false << "列数大于表格中总列数\n" << Rows{header, first, second};
        QTest::newRow("text row widens the sheet")
            << "csv" << QStringList{"1", "2", "3"} << 0 << false << QString()
            << Rows{header, first, second, {"1", "2", "3"}};
    }

    void addRow()
    {
        QFETCH(QString, extension);
        QFETCH(QStringList, cells);
        QFETCH(int, row);
        QFETCH(bool, replace);
        QFETCH(QString, error);
        QFETCH(Rows, expected);
        const QString path = newPath(extension);
        writeSheet(path, QStringLiteral("sheet1"), {{"书名", "单价"}, {"红楼梦", "30"}, {"O'Brien", "\",\""}});

        CExcelFile file(path, QStringLiteral("sheet1"));
        file.BeginTransaction();
        QCOMPARE(file.AddRow(cells, row, replace), error.isEmpty());
        QCOMPARE(file.GetLastError(), error);
        QVERIFY2(file.Commit(), qPrintable(file.GetLastError()));
        QCOMPARE(fileRows(path, QStringLiteral("sheet1")), expected);
    }

    void workbookRowNeedsAHeader()
    {
        CExcelFile file(newPath(QStringLiteral("xls")), QStringLiteral("sheet1"));
        QVERIFY(!file.AddRow({"x"}));
        QCOMPARE(file.GetLastError(), QStringLiteral("没有列头，首先要加入列头\n"));
    }

    // Exporting into a workbook sheet that already has the header: the header is refused
    // as a repetition and the new rows follow the old ones.
    void sameHeaderAgainAppendsBehindOldRows()
    {
        const QString path = newPath(QStringLiteral("xls"));
        writeSheet(path, QStringLiteral("sheet1"), {{"编号", "姓名"}, {"1", "张三"}});
        CExcelFile file(path, QStringLiteral("SHEET1"));
        file.BeginTransaction();
        QVERIFY(!file.AddHeaders({"编号", "姓名"}, false));
        QCOMPARE(file.GetLastError(), QStringLiteral("首行列头字段重复:编号\n"));
        QVERIFY(file.AddRow({"2", "李四"}));
        QVERIFY(file.Commit());
        QCOMPARE(fileRows(path, QStringLiteral("sheet1")), (Rows{{"编号", "姓名"}, {"1", "张三"}, {"2", "李四"}}));
    }

    void commitKeepsTheOtherSheets_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::newRow("xls") << QStringLiteral("xls");
        QTest::newRow("xlsx") << QStringLiteral("xlsx");
    }

    void commitKeepsTheOtherSheets()
    {
        QFETCH(QString, extension);
        const QString path = newPath(extension);
        const auto text = [](const char* t) { return SheetCell::fromText(QString::fromUtf8(t)); };
        Sheet first, middle, last;
        first.sheetName = QStringLiteral("图书");
        first.rows = {{text("单价"), text("入库")}, {SheetCell::fromNumber(25.8), SheetCell::fromSerialDate(42836)}};
        middle.sheetName = QStringLiteral("Readers");
        middle.rows = {{text("编号")}, {text("1")}};
        last.sheetName = QStringLiteral("说明");
        last.rows = {{text("末")}};
        QString error;
        QVERIFY(saveSpreadsheet(path, {&first, &middle, &last}, QLatin1Char(','), true, &error));

        CExcelFile file(path, QStringLiteral("readers"));
        QVERIFY(file.AddRow({"2"}));

        Workbook book;
        QVERIFY(readSpreadsheet(path, QLatin1Char(','), &book, &error));
        QCOMPARE(book.size(), size_t(3));
        QCOMPARE((QStringList{book[0].sheetName, book[1].sheetName, book[2].sheetName}),
                 (QStringList{first.sheetName, middle.sheetName, last.sheetName}));
        QCOMPARE(book[0].rows[1][0].kind, SheetCell::Kind::Number);
        QCOMPARE(book[0].rows[1][1].kind, SheetCell::Kind::Date);
        QCOMPARE(book[0].rows[1][1].displayText(), QStringLiteral("2017-04-11"));
        QCOMPARE(book[1].rows.size(), size_t(3));
        QCOMPARE(book[2].rows[0][0].displayText(), QStringLiteral("末"));
    }

    void backup_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("backupFile");
        QTest::addColumn<QString>("backupSheet");
        QTest::addColumn<bool>("backedUpAgain");
        QTest::newRow("workbook sheet") << QStringLiteral("xls") << QString() << QStringLiteral("期刊信息备份") << false;
        QTest::newRow("text file") << QStringLiteral("csv") << QStringLiteral(".bak") << QString() << true;
    }

    void backup()
    {
        QFETCH(QString, extension);
        QFETCH(QString, backupFile);
        QFETCH(QString, backupSheet);
        QFETCH(bool, backedUpAgain);
        const QString path = newPath(extension);
        const Rows old{{"期刊编号"}, {"QK1"}};
        writeSheet(path, QStringLiteral("期刊信息"), old);

        CExcelFile file(path, QStringLiteral("期刊信息"), true);
        QVERIFY(file.IsBackedUp());
        file.BeginTransaction();
        QVERIFY(file.AddRow({"QK2"}));
        QVERIFY(file.Commit());
        QCOMPARE(fileRows(path + backupFile, backupSheet), old);
        QCOMPARE(fileRows(path, QStringLiteral("期刊信息")).size(), 3);

        // A workbook's backup sheet is made once and then kept; a text file's backup is
        // written anew.
        CExcelFile again(path, QStringLiteral("期刊信息"), true);
        QCOMPARE(again.IsBackedUp(), backedUpAgain);
        QCOMPARE(fileRows(path + backupFile, backupSheet).size(), backedUpAgain ? 3 : 2);
    }

    void nameDecidesTheFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("upper-case xls") << QStringLiteral("a.XLS") << QStringLiteral("sheet1")
                                        << QByteArray("\xD0\xCF\x11\xE0");
        QTest::newRow("mixed-case xlsx") << QStringLiteral("a.Xlsx") << QStringLiteral("Sheet1") << QByteArray("PK");
        QTest::newRow("sheet name as separator") << QStringLiteral("a.txt") << QStringLiteral("sheet1")
                                                 << QByteArray("\"a\"sheet1\"b\"\r\n");
        QTest::newRow("empty separator") << QStringLiteral("c.txt") << QString() << QByteArray("\"a\",\"b\"\r\n");
        QTest::newRow("one-character separator") << QStringLiteral("b.txt") << QStringLiteral(";")
                                                 << QByteArray("\"a\";\"b\"\r\n");
    }

    void nameDecidesTheFormat()
    {
        QFETCH(QString, name);
        QFETCH(QString, argument);
        QFETCH(QByteArray, start);
        const QString path = m_dir.filePath(name);
        writeSheet(path, argument, {{"a", "b"}});
        QVERIFY(fileBytes(path).startsWith(start));
        QCOMPARE(fileRows(path, argument), (Rows{{"a", "b"}}));
    }

    void unreadableFileIsNeverOverwritten_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text named xls") << QStringLiteral("xls") << QByteArray("just some notes\r\n");
        QTest::newRow("damaged compound file") << QStringLiteral("xls")
                                               << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" "damaged");
        QTest::newRow("damaged zip") << QStringLiteral("xlsx") << QByteArray("PK\x03\x04" "damaged");
    }

    void unreadableFileIsNeverOverwritten()
    {
        QFETCH(QString, extension);
        QFETCH(QByteArray, bytes);
        const QString path = newPath(extension);
        QVERIFY(writeFile(path, bytes));
        CExcelFile file(path, QStringLiteral("sheet1"));
        file.BeginTransaction();
        file.AddHeaders({"a"}, false);
        file.AddRow({"1"});
        QVERIFY(!file.Commit());
        QVERIFY(!file.GetLastError().isEmpty());
        QCOMPARE(fileBytes(path), bytes);
    }

    void addCell_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("letters");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("error");
        QTest::addColumn<Rows>("expected");
        const QStringList header{"书名", "单价"};
        const QStringList first{"红楼梦", "30"};
        const Rows unchanged{header, first};
        const QString quoted = QStringLiteral("O'Brien \"第1版\",上");
        auto add = [](const QString& ext, const char* tag, const QString& value, const QString& column, bool letters,
                      int row, const QString& error, const Rows& expected) {
            QTest::addRow("%s %s", qPrintable(ext), tag) << ext << value << column << letters << row << error << expected;
        };
        for (const QString& e : kExtensions) {
            const QString f = fillerOf(e);
            add(e, "by number", "35", "2", false, 2, {}, {header, {"红楼梦", "35"}});
            add(e, "by name", "35", "单价", false, 2, {}, {header, {"红楼梦", "35"}});
            add(e, "by letters", "35", "b", true, 2, {}, {header, {"红楼梦", "35"}});
            add(e, "quotes kept", quoted, "1", false, 2, {}, {header, {quoted, "30"}});
            add(e, "past the end", "9", "2", false, 4, {}, {header, first, {f, f}, {f, "9"}});
            add(e, "row 0 appends", "新", "A", true, 0, {}, {header, first, {"新", f}});
            add(e, "new column in the header", "作者", "3", false, 1, {},
                {{"书名", "单价", "作者"}, e == "csv" ? first : QStringList{"红楼梦", "30", ""}});
            add(e, "column 0", "x", "0", false, 2, "列数不能为0\n", unchanged);
            add(e, "unknown name", "x", "作者", false, 2, "无效字段名或字母列号\n", unchanged);
            add(e, "name is not letters", "x", "B", false, 2, "无效字段名或字母列号\n", unchanged);
        }
        add("xls", "name twice in the header", "书名", "2", false, 1, "首行字段重复(列头):书名\n", unchanged);
        add("xlsx", "name twice in the header", "单价", "a", true, 1, "首行字段重复(列头):单价\n", unchanged);
        add("xls", "beyond the header", "x", "4", false, 1, "指定列号大于表格中存在的总列数\n", unchanged);
        add("xlsx", "data cell beyond the header", "x", "3", false, 2, "列数大于表格中总列数\n", unchanged);
        add("csv", "name twice in the header", "书名", "2", false, 1, {}, {{"书名", "书名"}, first});
        add("csv", "beyond the columns", "x", "4", false, 2, {}, {header, {"红楼梦", "30", "", "x"}});
    }

    // Outside a transaction a cell goes into the file at once.
    void addCell()
    {
        QFETCH(QString, extension);
        QFETCH(QString, value);
        QFETCH(QString, column);
        QFETCH(bool, letters);
        QFETCH(int, row);
        QFETCH(QString, error);
        QFETCH(Rows, expected);
        const QString path = newPath(extension);
        writeSheet(path, QStringLiteral("sheet1"), {{"书名", "单价"}, {"红楼梦", "30"}});

        CExcelFile file(path, QStringLiteral("sheet1"));
        QCOMPARE(addCellBy(file, value, column, row, letters), error.isEmpty());
        QCOMPARE(file.GetLastError(), error);
        QCOMPARE(fileRows(path, QStringLiteral("sheet1")), expected);
    }

    void readColumn_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("letters");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("expected");
        for (const QString& e : kExtensions) {
            const QByteArray x = e.toLatin1();
            QTest::addRow("%s by number", x.data()) << e << "2" << false << QString() << QStringList{"单价", "30", ""};
            QTest::addRow("%s by name", x.data()) << e << "书名" << false << QString() << QStringList{"书名", "红楼梦", "西游记"};
            QTest::addRow("%s by letters", x.data()) << e << "b" << true << QString() << QStringList{"单价", "30", ""};
            QTest::addRow("%s beyond every row", x.data()) << e << "7" << false << QString() << QStringList{"", "", ""};
            QTest::addRow("%s column 0", x.data()) << e << "0" << false << "列数不能为0\n" << QStringList();
            QTest::addRow("%s unknown name", x.data()) << e << "作者" << true << "无效字段名或字母列号\n" << QStringList();
        }
    }

    void readColumn()
    {
        QFETCH(QString, extension);
        QFETCH(QString, column);
        QFETCH(bool, letters);
        QFETCH(QString, error);
        QFETCH(QStringList, expected);
        const QString path = newPath(extension);
        writeSheet(path, QStringLiteral("sheet1"), kBooks);
        CExcelFile file(path, QStringLiteral("sheet1"));
        QStringList cells;
        QVERIFY(file.ReadRow(cells, 2));
        QCOMPARE(readColumnBy(file, cells, column, letters), error.isEmpty());
        QCOMPARE(file.GetLastError(), error);
        if (error.isEmpty())
            QCOMPARE(cells, expected);
        QVERIFY(file.ReadRow(cells));
        QCOMPARE(cells.front(), QStringLiteral("西游记"));
    }

    void readCell_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("letters");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("error");
        for (const QString& e : kExtensions) {
            const QByteArray x = e.toLatin1();
            QTest::addRow("%s by number", x.data()) << e << "1" << false << 3 << true << "西游记" << QString();
            QTest::addRow("%s by name", x.data()) << e << "单价" << false << 2 << true << "30" << QString();
            QTest::addRow("%s by letters", x.data()) << e << "B" << true << 2 << true << "30" << QString();
            QTest::addRow("%s current row", x.data()) << e << "a" << true << 0 << true << "西游记" << QString();
            QTest::addRow("%s past a short row", x.data()) << e << "2" << false << 3 << (e != "csv") << "" << QString();
            QTest::addRow("%s beyond the row's cells", x.data()) << e << "3" << false << 2 << false << "" << QString();
            QTest::addRow("%s column 0", x.data()) << e << "0" << false << 2 << false << "" << "列不能为0\n";
            QTest::addRow("%s row beyond the sheet", x.data()) << e << "1" << false << 9 << false << "" << "读取行时产生错误\n";
            QTest::addRow("%s unknown name", x.data()) << e << "AAA" << true << 2 << false << "" << "无效字段名或字母列号\n";
        }
    }

    // Neither form moves the current row.
    void readCell()
    {
        QFETCH(QString, extension);
        QFETCH(QString, column);
        QFETCH(bool, letters);
        QFETCH(int, row);
        QFETCH(bool, found);
        QFETCH(QString, expected);
        QFETCH(QString, error);
        const QString path = newPath(extension);
        writeSheet(path, QStringLiteral("sheet1"), kBooks);
        CExcelFile file(path, QStringLiteral("sheet1"));
        QStringList cells;
        QVERIFY(file.ReadRow(cells, 2));
        QString text = QStringLiteral("left over");
        QCOMPARE(readCellBy(file, text, column, row, letters), found);
        QCOMPARE(file.GetLastError(), error);
        if (error.isEmpty())
            QCOMPARE(text, expected);
        QVERIFY(file.ReadRow(cells));
        QCOMPARE(cells.front(), QStringLiteral("西游记"));
    }

    void lettersAndNames_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("letters");
        QTest::addColumn<QString>("expected");
        for (const QString& e : kExtensions) {
            const QByteArray x = e.toLatin1();
            QTest::addRow("%s A as letters", x.data()) << e << "A" << true << "v1";
            QTest::addRow("%s A as a name", x.data()) << e << "A" << false << "v5";
            QTest::addRow("%s z", x.data()) << e << "z" << true << "v26";
            QTest::addRow("%s AA", x.data()) << e << "AA" << true << "v27";
            QTest::addRow("%s iv", x.data()) << e << "iv" << true << "v256";
            QTest::addRow("%s three letters are a name", x.data()) << e << "ABC" << true << "v7";
            QTest::addRow("%s IV as a name", x.data()) << e << "IV" << false << QString();
            QTest::addRow("%s a name that is no letters", x.data()) << e << "书名" << true << QString();
        }
    }

    void lettersAndNames()
    {
        QFETCH(QString, extension);
        QFETCH(QString, column);
        QFETCH(bool, letters);
        QFETCH(QString, expected);
        QStringList header, values;
        for (int c = 1; c <= 256; ++c) {
            header << QStringLiteral("n%1").arg(c);
            values << QStringLiteral("v%1").arg(c);
        }
        header[4] = QStringLiteral("A");
        header[6] = QStringLiteral("ABC");
        const QString path = newPath(extension);
        writeSheet(path, QStringLiteral("sheet1"), {header, values});
        CExcelFile file(path, QStringLiteral("sheet1"));
        QString text;
        QCOMPARE(file.ReadCell(text, column, 2, letters), !expected.isNull());
        QCOMPARE(text, expected.isNull() ? QString() : expected);
        QCOMPARE(file.GetLastError(), expected.isNull() ? QStringLiteral("无效字段名或字母列号\n") : QString());
    }

    void rollBack_data()
    {
        QTest::addColumn<QString>("extension");
        for (const QString& e : kExtensions)
            QTest::newRow(e.toLatin1().constData()) << e;
    }

    // Buffered changes go; afterwards changes are written at once again.
    void rollBack()
    {
        QFETCH(QString, extension);
        const QString path = newPath(extension);
        writeSheet(path, QStringLiteral("sheet1"), {{"书名"}, {"红楼梦"}});
        const QByteArray written = fileBytes(path);
        CExcelFile file(path, QStringLiteral("sheet1"));
        file.BeginTransaction();
        QVERIFY(file.AddRow({"西游记"}));
        QVERIFY(file.AddCell(QStringLiteral("水浒传"), 1, 2));
        QVERIFY(file.RollBack());
        QCOMPARE(heldRows(file), (Rows{{"书名"}, {"红楼梦"}}));
        QCOMPARE(fileBytes(path), written);
        QVERIFY(file.AddRow({"三国演义"}));
        QCOMPARE(fileRows(path, QStringLiteral("sheet1")), (Rows{{"书名"}, {"红楼梦"}, {"三国演义"}}));

        CExcelFile unwritten(newPath(extension), QStringLiteral("sheet1"));
        unwritten.BeginTransaction();
        QVERIFY(unwritten.AddHeaders({"书名"}, false));
        QVERIFY(!unwritten.RollBack());
        QCOMPARE(unwritten.GetLastError(), QStringLiteral("在回滚先前状态时产生错误\n"));
    }

    void deleteSheet_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("emptied");
        QTest::addColumn<int>("held");
        const QString missing = QStringLiteral("工作簿中没有工作表：借阅\n");
        for (const char* sample : {"sheets.xls", "sheets.xlsx"}) {
            const QString s = QLatin1String(sample);
            QTest::addRow("%s own sheet", sample) << s << "读者" << QString() << QString() << QString() << "读者" << 0;
            QTest::addRow("%s own sheet by name", sample) << s << "读者" << "读者" << QString() << QString() << "读者" << 0;
            QTest::addRow("%s another sheet", sample) << s << "读者" << "说明" << QString() << QString() << "说明" << 2;
            QTest::addRow("%s first sheet", sample) << s << "读者" << "书目" << QString() << QString() << "书目" << 2;
            QTest::addRow("%s missing sheet", sample) << s << "读者" << "借阅" << missing << missing << QString() << 2;
            QTest::addRow("%s no name", sample)
                << s << "读者" << "" << "工作簿中没有工作表：\n" << "工作簿中没有工作表：\n" << QString() << 2;
            QTest::addRow("%s own sheet missing", sample)
                << s << "借阅" << QString() << "删除表格时产生错误\n" << missing << QString() << 1;
        }
    }

    // The sheet is emptied in the file at once and stays, without the changes this object
    // holds; the other sheets keep their rows, numbers and dates.
    void deleteSheet()
    {
        QFETCH(QString, sample);
        QFETCH(QString, sheet);
        QFETCH(QString, deleted);
        QFETCH(QString, error);
        QFETCH(QString, detail);
        QFETCH(QString, emptied);
        QFETCH(int, held);
        const QString path = copyOfSample(sample);
        QVERIFY(!path.isEmpty());
        const QByteArray original = fileBytes(path);
        CExcelFile file(path, sheet);
        file.BeginTransaction();
        QVERIFY(file.AddHeaders({"备注"}, false));

        QCOMPARE(deleted.isNull() ? file.DeleteSheet() : file.DeleteSheet(deleted), error.isEmpty());
        QCOMPARE(file.GetLastError(), error);
        QCOMPARE(file.GetErrorDetail(), detail);
        QCOMPARE(sheetNames(path), (QStringList{"书目", "读者", "说明"}));
        QCOMPARE(file.GetTotalRows(), held);
        if (!error.isEmpty())
            QCOMPARE(fileBytes(path), original);
        if (!emptied.isEmpty())
            QCOMPARE(fileRows(path, emptied), Rows());
        if (emptied != QStringLiteral("读者"))
            QCOMPARE(fileRows(path, QStringLiteral("读者")), (Rows{{"编号", "姓名"}, {"D0001", "张三"}}));
        if (emptied != QStringLiteral("书目")) {
            const Workbook book = fileBook(path);
            const CellRow& first = book[size_t(sheetIndex(book, QStringLiteral("书目")))].rows[1];
            QCOMPARE(first[2].kind, SheetCell::Kind::Number);
            QCOMPARE(first[3].kind, SheetCell::Kind::Date);
            QCOMPARE(first[3].displayText(), QStringLiteral("2023-09-01"));
        }
    }

    void deleteLastSheet_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::newRow("xls") << QStringLiteral("readers.xls");
        QTest::newRow("xlsx") << QStringLiteral("readers.xlsx");
    }

    // A workbook's only sheet empties as any other does.
    void deleteLastSheet()
    {
        QFETCH(QString, sample);
        const QString path = copyOfSample(sample);
        QVERIFY(!path.isEmpty());
        CExcelFile file(path, sheetNames(path).front());
        QVERIFY(file.GetTotalRows() > 1);
        QVERIFY2(file.DeleteSheet(), qPrintable(file.GetLastError()));
        QCOMPARE(file.GetTotalRows(), 0);
        QCOMPARE(sheetNames(path).size(), 1);
        QCOMPARE(fileRows(path), Rows());
    }

    void deleteTextSheet_data()
    {
        QTest::addColumn<bool>("transaction");
        QTest::addColumn<QString>("argument");
        QTest::newRow("at once") << false << QString();
        QTest::newRow("a name is no matter") << false << QStringLiteral("sheet1");
        QTest::newRow("at the commit") << true << QString();
    }

    void deleteTextSheet()
    {
        QFETCH(bool, transaction);
        QFETCH(QString, argument);
        const QString path = newPath(QStringLiteral("csv"));
        writeSheet(path, QStringLiteral(","), kBooks);
        const QByteArray written = fileBytes(path);
        CExcelFile file(path, QStringLiteral(","));
        if (transaction)
            file.BeginTransaction();
        QVERIFY(argument.isNull() ? file.DeleteSheet() : file.DeleteSheet(argument));
        QCOMPARE(file.GetTotalRows(), 0);
        QCOMPARE(file.GetTotalColumns(), 0);
        QCOMPARE(fileBytes(path), transaction ? written : QByteArray());
        QVERIFY(file.Commit());
        QCOMPARE(fileBytes(path), QByteArray());
        QVERIFY(file.RollBack());
        QCOMPARE(file.GetTotalRows(), 0);
    }

    void updateMatchingRows_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QStringList>("newValues");
        QTest::addColumn<QStringList>("oldValues");
        QTest::addColumn<QString>("error");
        QTest::addColumn<Rows>("expected");
        const QStringList header{"班级", "姓名", "备注"};
        const Rows unchanged{header, {"一班", "张三", ""}, {"一班", "李四", "x"}, {"二班", "王五", ""}};
        const QString quoted = QStringLiteral("O'Neil \"五\"");
        for (const char* ext : {"xls", "xlsx"}) {
            const QString e = QLatin1String(ext);
            QTest::addRow("%s several rows", ext) << e << QStringList{"三班"} << QStringList{"一班"} << QString()
                                                  << Rows{header, {"三班", "张三", ""}, {"三班", "李四", "x"}, {"二班", "王五", ""}};
            QTest::addRow("%s every old value must match", ext)
                << e << QStringList{"一班", quoted} << QStringList{"二班", "王五"} << QString()
                << Rows{header, {"一班", "张三", ""}, {"一班", "李四", "x"}, {"一班", quoted, ""}};
            QTest::addRow("%s an empty cell matches", ext)
                << e << QStringList{"一班", "张三", "新"} << QStringList{"一班", "张三", ""} << QString()
                << Rows{header, {"一班", "张三", "新"}, {"一班", "李四", "x"}, {"二班", "王五", ""}};
            QTest::addRow("%s no row matches", ext) << e << QStringList{"x"} << QStringList{"四班"} << QString() << unchanged;
            QTest::addRow("%s the header stays", ext) << e << QStringList{"x"} << QStringList{"班级"} << QString() << unchanged;
            QTest::addRow("%s more values than columns", ext)
                << e << QStringList{"a", "b", "c", "d"} << QStringList{"一班"} << "列数大于表格中总列数\n" << unchanged;
        }
        QTest::newRow("csv") << "csv" << QStringList{"三班"} << QStringList{"一班"} << "这个涵数对分隔符文本文件无效\n" << unchanged;
    }

    // The file changes at once; what the object holds is read from it again, so a change
    // not committed goes.
    void updateMatchingRows()
    {
        QFETCH(QString, extension);
        QFETCH(QStringList, newValues);
        QFETCH(QStringList, oldValues);
        QFETCH(QString, error);
        QFETCH(Rows, expected);
        const QString path = newPath(extension);
        writeSheet(path, QStringLiteral("sheet1"),
                   {{"班级", "姓名", "备注"}, {"一班", "张三", ""}, {"一班", "李四", "x"}, {"二班", "王五", ""}});
        CExcelFile file(path, QStringLiteral("sheet1"));
        file.BeginTransaction();
        QVERIFY(file.AddRow({"一班", "未提交"}));
        QCOMPARE(file.UpdateMatchingRows(newValues, oldValues), error.isEmpty());
        QCOMPARE(file.GetLastError(), error);
        QCOMPARE(fileRows(path, QStringLiteral("sheet1")), expected);
        if (error.isEmpty())
            QCOMPARE(heldRows(file), expected);
    }

    void updateKeepsWhatItDoesNotChange_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::newRow("xls") << QStringLiteral("sheets.xls");
        QTest::newRow("xlsx") << QStringLiteral("sheets.xlsx");
    }

    // A sheet LibreOffice wrote: a number cell matches by its text, the row's other numbers
    // and dates and the other sheets stay as they were.
    void updateKeepsWhatItDoesNotChange()
    {
        QFETCH(QString, sample);
        const QString path = copyOfSample(sample);
        QVERIFY(!path.isEmpty());
        CExcelFile file(path, QStringLiteral("书目"));
        QVERIFY2(file.UpdateMatchingRows({"B002", "西游记", "35"}, {"B002", "西游记", "30"}), qPrintable(file.GetLastError()));
        QCOMPARE(sheetNames(path), (QStringList{"书目", "读者", "说明"}));
        QCOMPARE(fileRows(path, QStringLiteral("书目")),
                 (Rows{{"条形码", "书名", "单价", "入库日期"},
                       {"B001", "红楼梦", "25.8", "2023-09-01"},
                       {"B002", "西游记", "35", "2023-09-02"},
                       {"B003", "水浒传", "30", ""}}));
        const Workbook book = fileBook(path);
        QCOMPARE(book[0].rows[2][3].kind, SheetCell::Kind::Date);
        QCOMPARE(book[0].rows[3][2].kind, SheetCell::Kind::Number);
        QCOMPARE(fileRows(path, QStringLiteral("读者")), (Rows{{"编号", "姓名"}, {"D0001", "张三"}}));
    }

    void saveAsOtherFormat_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("copy");
        QTest::addColumn<Rows>("expected");
        QTest::addColumn<QString>("error");
        const Rows books{{"书名", "单价"}, {"红楼梦", "30"}, {"O'Brien \"1\"", ""}};
        QTest::newRow("xls to csv") << "f.xls" << books << "," << "f.csv" << books << QString();
        QTest::newRow("xlsx to csv") << "g.xlsx" << books << ";" << "g.csv" << books << QString();
        QTest::newRow("csv to xls") << "h.csv" << books << "图书" << "h.xls" << books << QString();
        QTest::newRow("txt to xls") << "i.txt" << books << "图书" << "i.xls" << books << QString();
        QTest::newRow("csv with a name twice")
            << "j.csv" << Rows{{"书名", "书名", "单价"}, {"红楼梦", "", "30"}} << "图书" << "j.xls"
            << Rows{{"1", "2", "3"}, {"书名", "书名", "单价"}, {"红楼梦", "", "30"}} << "首行(列头)字段重复:书名\n";
        QTest::newRow("xls LibreOffice wrote") << "sheets.xls" << Rows() << "," << "sheets.csv"
                                               << Rows{{"条形码", "书名", "单价", "入库日期"},
                                                       {"B001", "红楼梦", "25.8", "2023-09-01"},
                                                       {"B002", "西游记", "30", "2023-09-02"},
                                                       {"B003", "水浒传", "30", ""}}
                                               << QString();
    }

    void saveAsOtherFormat()
    {
        QFETCH(QString, source);
        QFETCH(Rows, rows);
        QFETCH(QString, argument);
        QFETCH(QString, copy);
        QFETCH(Rows, expected);
        QFETCH(QString, error);
        const QTemporaryDir dir;
        const QString path = dir.filePath(source);
        const bool workbook = !source.endsWith(QLatin1String("csv")) && !source.endsWith(QLatin1String("txt"));
        if (rows.isEmpty())
            QVERIFY(QFile::copy(QFINDTESTDATA("samples/" + source), path));
        else
            writeSheet(path, workbook ? QStringLiteral("sheet1") : QStringLiteral(","), rows);
        const QByteArray original = fileBytes(path);
        const QString sheet = rows.isEmpty() ? QStringLiteral("书目") : QStringLiteral("sheet1");
        CExcelFile file(path, workbook ? sheet : QStringLiteral(","));
        QVERIFY2(file.SaveAsOtherFormat(argument), qPrintable(file.GetLastError()));
        QCOMPARE(file.GetLastError(), error);
        QStringList files{copy, source};
        files.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
        QCOMPARE(fileRows(dir.filePath(copy), argument), expected);
        QCOMPARE(fileBytes(path), original);
    }

    void failuresLeaveTheFilesAlone_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("error");
        const QString tooLong = cellTooLongText(2, 1) + QLatin1Char('\n');
        for (const char* ext : {"xls", "xlsx"}) {
            const QString e = QLatin1String(ext);
            QTest::addRow("%s cell too long", ext) << e << 0 << tooLong;
            QTest::addRow("%s update too long", ext) << e << 1 << tooLong;
            QTest::addRow("%s delete a missing sheet", ext) << e << 2 << "工作簿中没有工作表：借阅\n";
            QTest::addRow("%s copy has content", ext) << e << 3 << QString();
        }
        QTest::newRow("csv to xls of too many columns") << "csv" << 4 << QString();
        QTest::newRow("csv copy has content") << "csv" << 3 << QString();
    }

    // A failing write leaves the file (and the copy) as they were; a copy that could not
    // be written is not there. A copy's failure is the copy's: the last error stays as it was.
    void failuresLeaveTheFilesAlone()
    {
        QFETCH(QString, extension);
        QFETCH(int, operation);
        QFETCH(QString, error);
        const QTemporaryDir dir;
        const QString path = dir.filePath("f." + extension);
        const QString copy = dir.filePath(extension == QLatin1String("csv") ? "f.xls" : "f.csv");
        QStringList wide;
        for (int c = 0; c < (operation == 4 ? 300 : 2); ++c)
            wide << QStringLiteral("c%1").arg(c);
        writeSheet(path, QStringLiteral("sheet1"), {wide, {"1", "2"}});
        if (operation == 3)
            writeSheet(copy, QStringLiteral("sheet1"), {{"在此"}});
        const QByteArray original = fileBytes(path);
        const QByteArray copied = fileBytes(copy);
        CExcelFile file(path, QStringLiteral("sheet1"));
        const QString text(kMaxCellText + 1, QLatin1Char('x'));
        switch (operation) {
        case 0: QVERIFY(!file.AddCell(text, 1, 2)); break;
        case 1: QVERIFY(!file.UpdateMatchingRows({text}, {"1"})); break;
        case 2: QVERIFY(!file.DeleteSheet(QStringLiteral("借阅"))); break;
        default: QVERIFY(!file.SaveAsOtherFormat(QStringLiteral("sheet1"))); break;
        }
        QCOMPARE(file.GetLastError(), error);
        QVERIFY(!file.GetErrorDetail().isEmpty());
        QCOMPARE(fileBytes(path), original);
        QCOMPARE(fileBytes(copy), copied);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), operation == 3 ? 2 : 1);
        if (operation == 3) {
            QVERIFY(QFile::remove(copy));
            QVERIFY2(file.SaveAsOtherFormat(QStringLiteral("sheet1")), qPrintable(file.GetLastError()));
            QCOMPARE(fileRows(copy, QStringLiteral("sheet1")), (Rows{{"c0", "c1"}, {"1", "2"}}));
        }
    }

    void addHeadersReadsTheHeader_data()
    {
        QTest::addColumn<QString>("extension");
        for (const QString& e : kExtensions)
            QTest::newRow(e.toLatin1().constData()) << e;
    }

    // Names appended to the header read it as ReadRow does: the row after it comes next.
    void addHeadersReadsTheHeader()
    {
        QFETCH(QString, extension);
        const QString path = newPath(extension);
        writeSheet(path, QStringLiteral("sheet1"), kBooks);
        CExcelFile file(path, QStringLiteral("sheet1"));
        QStringList cells;
        QVERIFY(file.ReadRow(cells, 3));
        QVERIFY(file.AddHeaders({"作者"}, false));
        QVERIFY(file.ReadRow(cells));
        QCOMPARE(cells.front(), QStringLiteral("红楼梦"));
        QCOMPARE(fileRows(path, QStringLiteral("sheet1")).front(), (QStringList{"书名", "单价", "作者"}));
    }

    void readsTextRows_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Rows>("expected");
        // Rows as older installations wrote them: every cell quoted, nothing doubled.
        QTest::newRow("quote inside a cell") << "," << QByteArray("\"他说\"好\"\",\"x\"" "\r\n" "\"a\",\"b\"" "\r\n")
                                             << Rows{{"他说\"好\"", "x"}, {"a", "b"}};
        QTest::newRow("one cell with quotes") << "," << QByteArray("\"他说\"好\"\"" "\r\n") << Rows{{"他说\"好\""}};
        QTest::newRow("sheet name as separator") << "sheet1" << QByteArray("\"他\"说\"sheet1\"x\"" "\r\n")
                                                 << Rows{{"他\"说", "x"}};
        QTest::newRow("separator inside a cell") << "," << QByteArray("\"a,b\",\"c\"d\"" "\r\n") << Rows{{"a,b", "c\"d"}};
        QTest::newRow("line without quote, separator, quote")
            << "," << QByteArray("\"x\"y\"" "\r\n" "\"a\",b" "\r\n") << Rows{{"x\"y"}, {"\"a\"", "b"}};
        // The program's own rows, and other programs' rows that read the same way.
        QTest::newRow("doubled quotes") << "," << QByteArray("\"他说\"\"好\"\"\",\"x\"" "\r\n") << Rows{{"他说\"好\"", "x"}};
        QTest::newRow("two quotes side by side are one") << "," << QByteArray("\"a\"\"b\",\"c\"" "\n") << Rows{{"a\"b", "c"}};
        QTest::newRow("unquoted cells") << "\t" << QByteArray("编号\t姓名\r\n1\t\"张三\"\r\n") << Rows{{"编号", "姓名"}, {"1", "张三"}};
    }

    // A file whose quotes stand where the program's own format has none is read line by line
    // as older installations read it.
    void readsTextRows()
    {
        QFETCH(QString, separator);
        QFETCH(QByteArray, bytes);
        QFETCH(Rows, expected);
        const QString path = newPath(QStringLiteral("txt"));
        QVERIFY(writeFile(path, bytes));
        CExcelFile file(path, separator);
        QCOMPARE(heldRows(file), expected);
    }

    void ownTextRowsRoundTrip_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("comma") << "," << QByteArray("\"say \"\"hi\"\"\",\"");
        QTest::newRow("tab") << "\t" << QByteArray("\"say \"\"hi\"\"\"\t\"");
        QTest::newRow("sheet name") << "sheet1" << QByteArray("\"say \"\"hi\"\"\"sheet1\"");
    }

    // Cells holding quotes, the separator between quotes and line breaks come back whole.
    void ownTextRowsRoundTrip()
    {
        QFETCH(QString, separator);
        QFETCH(QByteArray, start);
        const Rows rows{{"say \"hi\"", "\"" + separator + "\"", "上\r\n下"}, {"", "x\""}};
        const QString path = newPath(QStringLiteral("csv"));
        writeSheet(path, separator, rows);
        QVERIFY(fileBytes(path).startsWith(start));
        QCOMPARE(fileRows(path, separator), rows);
    }

    // A text file that cannot be written gives the class's text, the reason beside it.
    void textWriteFailureKeepsTheReason()
    {
        CExcelFile file(m_dir.filePath(QStringLiteral("no-such-folder/f.csv")), QStringLiteral(","));
        QCOMPARE(file.GetLastError(), QStringLiteral("打开文件时产生错误\n"));
        QVERIFY(!file.AddHeaders({"书名"}, false));
        QCOMPARE(file.GetLastError(), QStringLiteral("写文件时产生错误\n"));
        QVERIFY(file.GetErrorDetail().startsWith(QStringLiteral("不能在文件夹中写文件")));
    }

    // Written by LibreOffice in the 1904 date system (soffice --headless --convert-to xls|xlsx
    // sheets/durations.fods): elapsed times read as durations. When the program rewrites the
    // workbook (a sheet added beside), durations, times of day and a time format over a date
    // keep their format and their value, as LibreOffice reads the file again.
    void durationsAndTimesSurviveARewrite()
    {
        const Rows shown{{"编号", "借期", "分钟", "秒", "到馆", "登记日期", "借出"},
                         {"R001", "30:15:00", "1815:00", "108900", "08:30:00", "2023-09-01", "18:00:00"},
                         {"R002", "0:45:00", "45:00", "2700", "00:00:00", "1998-02-28", "07:05:00"}};
        QStringList rewritten;
        for (const char* sample : {"durations.xls", "durations.xlsx"}) {
            const QString path = copyOfSample(QLatin1String(sample));
            QCOMPARE(fileRows(path, QStringLiteral("借阅")), shown);
            writeSheet(path, QStringLiteral("其他"), {{"备注"}});
            QCOMPARE(fileRows(path, QStringLiteral("借阅")), shown);
            const Workbook book = fileBook(path);
            const CellRow& first = book.front().rows[1];
            QVERIFY(qAbs(first[1].number - (30 + 15.0 / 60) / 24) < 1e-9);
            QVERIFY(qAbs(first[4].number - 8.5 / 24) < 1e-9);
            QVERIFY(qAbs(first[6].number - serialFromDateTime(QDateTime(QDate(2023, 9, 1), QTime(18, 0)))) < 1e-6);
            rewritten << path;
        }

        const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (office.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        QTemporaryDir profile, out;
        QProcess convert;
        // Comma-separated UTF-8, every cell as shown.
        convert.start(office, QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                                          QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                          QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"),
                                          QStringLiteral("--outdir"), out.path()} + rewritten);
        QVERIFY(convert.waitForFinished(180000));
        QCOMPARE(convert.exitCode(), 0);
        for (const QString& path : rewritten) {
            const QString csv = out.filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".csv"));
            QCOMPARE(fileRows(csv, QStringLiteral(",")), shown);
        }
    }

    // An empty sheet name names no sheet of a workbook: nothing is read, nothing written.
    void emptySheetNameNamesNone()
    {
        const QString path = copyOfSample(QStringLiteral("sheets.xlsx"));
        const QByteArray original = fileBytes(path);
        CExcelFile file(path, QString());
        QCOMPARE(file.GetTotalRows(), 0);
        QVERIFY(!file.AddHeaders({"备注"}, false));
        QVERIFY(!file.UpdateMatchingRows({"x"}, {"B001"}));
        QCOMPARE(fileBytes(path), original);
    }

    void readRowMovesOn()
    {
        const QString path = newPath(QStringLiteral("xlsx"));
        writeSheet(path, QStringLiteral("Sheet1"), {{"a"}, {"1"}});
        CExcelFile file(path, QStringLiteral("Sheet1"));
        QStringList cells;
        QVERIFY(!file.ReadRow(cells, 3));
        QCOMPARE(file.GetLastError(), QStringLiteral("指定行大于表格中总行数\n"));
        QVERIFY(file.ReadRow(cells, 2));
        QCOMPARE(cells, QStringList{"1"});
        QVERIFY(!file.ReadRow(cells));
        QCOMPARE(file.GetTotalRows(), 2);
    }
};

QTEST_GUILESS_MAIN(TestExcelFile)
#include "test_excelfile.moc"
