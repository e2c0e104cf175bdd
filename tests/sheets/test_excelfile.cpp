#include "sheets/ExcelFile.h"
#include "sheets/SpreadsheetFile.h"
#include "support/TestSupport.h"

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
}

class TestExcelFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_serial = 0;
    QString newPath(const QString& extension) { return m_dir.filePath(QStringLiteral("f%1.%2").arg(++m_serial).arg(extension)); }

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
            QTest::addRow("%s append", ext) << e << QStringList{"新", "1"} << 0 << false << QString()
                                            << Rows{header, first, second, {"新", "1"}};
            QTest::addRow("%s past the end", ext) << e << QStringList{"新", "1"} << 6 << false << QString()
                                                  << Rows{header, first, second, {"", ""}, {"", ""}, {"新", "1"}};
            QTest::addRow("%s replace", ext) << e << QStringList{"新", "1"} << 2 << true << QString()
                                             << Rows{header, {"新", "1"}, second};
            QTest::addRow("%s insert", ext) << e << QStringList{"新", "1"} << 3 << false << QString()
                                            << Rows{header, first, {"新", "1"}, second};
            QTest::addRow("%s short row", ext) << e << QStringList{"新"} << 0 << false << QString()
                                               << Rows{header, first, second, {"新", ""}};
        }
        QTest::newRow("xls header names twice")
            << "xls" << QStringList{"a", "a"} << 1 << true << "首行列头字段重复:a\n" << Rows{header, first, second};
        QTest::newRow("xlsx shorter header")
            << "xlsx" << QStringList{"a"} << 1 << true << "新列头数不能小于原列头数" << Rows{header, first, second};
        QTest::newRow("xls row wider than the header")
            << "xls" << QStringList{"1", "2", "3"} << 0 << false << "列数大于表格中总列数\n" << Rows{header, first, second};
        QTest::newRow("text row widens the sheet")
            << "csv" << QStringList{"1", "2", "3"} << 0 << false << QString()
            << Rows{{"书名", "单价", ""}, {"红楼梦", "30", ""}, {"O'Brien", "\",\"", ""}, {"1", "2", "3"}};
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
        QTest::newRow("workbook sheet") << QStringLiteral("xls") << QString() << QStringLiteral("期刊信息备份");
        QTest::newRow("text file") << QStringLiteral("csv") << QStringLiteral(".bak") << QString();
    }

    void backup()
    {
        QFETCH(QString, extension);
        QFETCH(QString, backupFile);
        QFETCH(QString, backupSheet);
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
    }

    void nameDecidesTheFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("upper-case xls") << QStringLiteral("a.XLS") << QStringLiteral("sheet1")
                                        << QByteArray("\xD0\xCF\x11\xE0");
        QTest::newRow("mixed-case xlsx") << QStringLiteral("a.Xlsx") << QStringLiteral("Sheet1") << QByteArray("PK");
        QTest::newRow("sheet name as separator") << QStringLiteral("a.txt") << QStringLiteral("读者信息模板")
                                                 << QByteArray("\"a\",\"b\"\r\n");
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

    void readRowMovesOn()
    {
        const QString path = newPath(QStringLiteral("xlsx"));
        writeSheet(path, QStringLiteral("Sheet1"), {{"a"}, {"1"}});
        CExcelFile file(path, QString());
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
