#include "ExchangeFixture.h"

#include "controls/ButtonIcons.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "maintenance/ImportDlg.h"
#include "maintenance/ImportJob.h"
#include "maintenance/ImportSpec.h"
#include "maintenance/ImportValues.h"
#include "sheets/SpreadsheetFile.h"
#include "sheets/SpreadsheetIdle.h"
#include "support/LimitedChild.h"

#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using Target = ImportSpec::Target;
using Cells = QVariantList;
Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(QList<QVariantList>)

namespace {
// A text, a number or a date cell, by the value's type; an invalid value is an empty cell.
SheetCell toCell(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return SheetCell::fromText(value.toString());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return SheetCell::fromNumber(value.toDouble());
    case QMetaType::QDateTime:
        return SheetCell::fromSerialDate(serialFromDateTime(value.toDateTime()));
    case QMetaType::QDate:
        return SheetCell::fromSerialDate(serialFromDateTime(value.toDate().startOfDay()));
    default:
        return {};
    }
}

QString writeSheet(const Workplace& work, const QString& name, const QString& sheetName, const QList<Cells>& rows)
{
    Sheet sheet;
    sheet.sheetName = sheetName;
    for (const Cells& row : rows) {
        CellRow cells;
        for (const QVariant& value : row)
            cells.push_back(toCell(value));
        sheet.rows.push_back(cells);
    }
    const QString path = work.folder.path() + QLatin1Char('/') + name;
    QString error;
    if (!saveSpreadsheet(path, {&sheet}, QLatin1Char(','), true, &error))
        qWarning() << error;
    return path;
}

Cells headings(const QString& table, int first, int count)
{
    Cells names;
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select name from pragma_table_info(?) order by cid"), {table});
    for (rs->Move(first); !rs->IsEOF() && names.size() < count; rs->MoveNext())
        names << rs->GetCollect(0);
    return names;
}

Cells bookRow(const QString& number, const QVariant& price = 25.8, const QVariant& date = QDate(2017, 4, 11))
{
    return {9787111111111.0, number, "I247", "I文学", 1, QStringLiteral("书") + number, "作者", "出版社", 320,
            "16开", "2016-01", "第一版", price, "1号书架", date, 1};
}

Cells loanRow(const QString& book, const QString& reader, const QVariant& lent = QDate(2017, 4, 1))
{
    return {book, "书", "978", reader, "张三", "学生", lent, "2017-05-01", 25, "超级用户", "一班"};
}

struct Outcome {
    bool done = false;
    int stored = -1;
    QString message;
};

Outcome runImport(const Workplace& work, Target target, const QString& path, bool overwrite = false)
{
    CImportJob job(ImportSpec::forTarget(target), path, work.folder.databasePath(), overwrite);
    Outcome outcome;
    QObject::connect(&job, &CImportJob::Finished, [&outcome](bool done, int stored, const QString& message) {
        outcome = {done, stored, message};
    });
    job.Run();
    return outcome;
}

void addBooksInStock(const QStringList& numbers)
{
    for (const QString& number : numbers)
        QVERIFY(insertCopy(QStringLiteral("bkinfo"), number, QStringLiteral("书"), 10));
}

const QStringList kFormats = {QStringLiteral("xls"), QStringLiteral("xlsx")};

std::unique_ptr<CImportDlg> importWindow(Target target)
{
    switch (target) {
    case Target::Readers:
        return std::make_unique<CImportReaderDlg>();
    case Target::Loans:
        return std::make_unique<CImportLendDlg>();
    case Target::LendingHistory:
        return std::make_unique<CImportLendHistoryDlg>();
    case Target::Books:
        return std::make_unique<CImportBookDlg>();
    case Target::Periodicals:
        break;
    }
    return std::make_unique<CImportPeriodicalDlg>();
}

bool sameIcon(const QIcon& a, const QIcon& b)
{
    return !a.isNull() && a.pixmap(16).toImage() == b.pixmap(16).toImage();
}
}

class TestImport : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_bigWorkbooks;  // written once, for the runs under a memory limit

private slots:
    void cleanup() { QCOMPARE(g_bSpreadsheetIdle.load(), 0); }

    // Cells come in by position; numbers, dates and texts each as their field wants them.
    void catalogueRowsComeInByPosition_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<Target>("target");
        for (const QString& format : kFormats) {
            QTest::addRow("books %s", qPrintable(format)) << format << Target::Books;
            QTest::addRow("periodicals %s", qPrintable(format)) << format << Target::Periodicals;
        }
    }

    void catalogueRowsComeInByPosition()
    {
        QFETCH(QString, format);
        QFETCH(Target, target);
        Workplace work;
        const QString table = ImportSpec::forTarget(target).table;
        const QString path = writeSheet(work, QStringLiteral("目录.") + format, QStringLiteral("Sheet1"),
                                        {headings(table, 1, 16), bookRow("B1") << "第17列不读",
                                         bookRow("B2", "12.50", "2017/4/1"), bookRow("B3", QVariant(), QVariant())});
        const Outcome outcome = runImport(work, target, path);
        QVERIFY2(outcome.done, qPrintable(outcome.message));
        QCOMPARE(outcome.stored, 3);
        QCOMPARE(tableRows(table),
                 (QStringList{"1|9787111111111|B1|I247|I文学|1|书B1|作者|出版社|320|16开|2016-01|第一版|25.8|1号书架|2017-04-11|0",
                              "2|9787111111111|B2|I247|I文学|1|书B2|作者|出版社|320|16开|2016-01|第一版|12.5|1号书架|2017-04-01|0",
                              "3|9787111111111|B3|I247|I文学|1|书B3|作者|出版社|320|16开|2016-01|第一版||1号书架||0"}));
        QCOMPARE(cell(QStringLiteral("select typeof(%1) from %2 where rowid=2")
                          .arg(target == Target::Books ? "单价" : "期刊单价", table)),
                 QStringLiteral("real"));
    }

    // Reader cells are cleaned as spreadsheets give them, texts kept as they stand; an empty
    // cell keeps the default.
    void readerCellsAreCleaned_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("stored");
        QTest::newRow("number read as 30.0") << 4 << QVariant(30.0) << "30";
        QTest::newRow("date with midnight") << 9 << QVariant("2017-04-11 00:00:00") << "2017-04-11";
        QTest::newRow("date cell") << 9 << QVariant(QDate(2017, 4, 11)) << "2017-04-11";
        QTest::newRow("remark with midnight") << 11 << QVariant("2017-04-11 00:00:00") << "2017-04-11";
        QTest::newRow("time of day stays") << 11 << QVariant("12:00") << "12:00";
        QTest::newRow("decimal stays") << 11 << QVariant("3.05") << "3.05";
        QTest::newRow("number as text") << 0 << QVariant(2017001.0) << "2017001";
        QTest::newRow("blanks kept") << 1 << QVariant("  张三 ") << "  张三 ";
        QTest::newRow("empty keeps the default") << 6 << QVariant() << "0";
    }

    void readerCellsAreCleaned()
    {
        QFETCH(int, column);
        QFETCH(QVariant, value);
        QFETCH(QString, stored);
        for (const QString& format : kFormats) {
            Workplace work;
            Cells row = {"R1", "李四", "男", "学生", 30, "一班", 3, 7, 2, "2017-01-01", "", "备注"};
            row[column] = value;
            const QString path = writeSheet(work, QStringLiteral("读者.") + format, QStringLiteral("读者信息模板"),
                                            {headings("readerinfo", 0, 12), row});
            const Outcome outcome = runImport(work, Target::Readers, path);
            QVERIFY2(outcome.done, qPrintable(outcome.message));
            const QStringList fields = tableRows(QStringLiteral("readerinfo")).value(0).split(QLatin1Char('|'));
            QCOMPARE(fields.value(column), stored);
            // 未还书数 is counted from the loans, not taken from the sheet.
            QCOMPARE(fields.value(7), QStringLiteral("0"));
        }
    }

    // A cell under a date-time format reads with its midnight, as other programs show it;
    // the readers' fields still store the date alone.
    void readerFieldsDropTheMidnightOfADateTimeCell()
    {
        const SheetCell cell = SheetCell::fromSerialDate(45170, DateParts::DateTime);
        QCOMPARE(cell.displayText(), QStringLiteral("2023-09-01 00:00:00"));
        const bool dropMidnight = ImportSpec::forTarget(Target::Readers).dropMidnight;
        for (ImportField::Kind kind : {ImportField::Kind::Date, ImportField::Kind::Text}) {
            const ImportField field{QStringLiteral("登记日期"), kind, ImportField::Empty::Default, dropMidnight};
            QCOMPARE(fieldValue(field, cell).value.toString(), QStringLiteral("2023-09-01"));
        }
    }

    void historyKeepsItsTime()
    {
        Workplace work;
        const QDateTime morning(QDate(2017, 4, 11), QTime(9, 30));
        const QString path = writeSheet(work, QStringLiteral("历史.xlsx"), QStringLiteral("历史"),
                                        {headings("jieyuelishiinfo", 0, 9),
                                         {"B1", "书", "R1", "张三", "学生", "图书借阅", morning, "超级用户", "一班"},
                                         {"B1", "书", "R1", "张三", "学生", "图书归还", "2017-04-12 ", "超级用户", "一班"},
                                         {"B2", "书", "R1", "张三", "学生", "图书借阅", "2017/4/13 8:05", "超级用户", "一班"}});
        const Outcome outcome = runImport(work, Target::LendingHistory, path);
        QVERIFY2(outcome.done, qPrintable(outcome.message));
        QCOMPARE(tableRows(QStringLiteral("jieyuelishiinfo")),
                 (QStringList{"B1|书|R1|张三|学生|图书借阅|2017-04-11 09:30:00|超级用户|一班",
                              "B1|书|R1|张三|学生|图书归还|2017-04-12|超级用户|一班",
                              "B2|书|R1|张三|学生|图书借阅|2017-04-13 08:05:00|超级用户|一班"}));
    }

    // A bad row in the middle changes nothing, overwrite or not, and is named.
    void badRowChangesNothing_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<QList<QVariantList>>("rows");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QString>("message");
        for (const QString& format : kFormats) {
            const QByteArray f = format.toLatin1();
            QTest::addRow("number stored %s", f.constData())
                << Target::Books << QList<Cells>{bookRow("B7"), bookRow("B0"), bookRow("B8")} << false
                << "导入数据失败,错误在3行2列!\n“图书编号”列：编号“B0”已经存在";
            QTest::addRow("bad date, overwrite %s", f.constData())
                << Target::Books << QList<Cells>{bookRow("B7"), bookRow("B8", 10, "明天"), bookRow("B9")} << true
                << "导入数据失败,错误在3行15列!\n“入库时间”列：“明天”不是日期";
            QTest::addRow("text as price %s", f.constData())
                << Target::Periodicals << QList<Cells>{bookRow("Q7"), bookRow("Q8", "二十"), bookRow("Q9")} << true
                << "导入数据失败,错误在3行13列!\n“期刊单价”列：“二十”不是数字";
            QTest::addRow("reader twice %s", f.constData())
                << Target::Readers << QList<Cells>{{"R7", "甲"}, {"R8", "乙"}, {"R7", "丙"}} << true
                << "导入文件失败，可能是有的数据为空或有非法字符!\n第4行“编号”列：编号“R7”已经存在";
            QTest::addRow("loan without date %s", f.constData())
                << Target::Loans << QList<Cells>{loanRow("B1", "R0"), loanRow("B2", "R0", "")} << false
                << "导入文件失败,错误在2行!\n“借书日期”列：不能为空";
            QTest::addRow("history without time %s", f.constData())
                << Target::LendingHistory << QList<Cells>{{"B1", "书", "R0", "", "", "图书借阅", ""}} << false
                << "导入文件失败，可能是有的数据为空或有非法字符!\n第2行“操作时间”列：不能为空";
            QTest::addRow("reader without number %s", f.constData())
                << Target::Readers << QList<Cells>{{"R7", "甲"}, {QVariant(), "乙"}} << false
                << "导入文件失败，可能是有的数据为空或有非法字符!\n第3行“编号”列：不能为空";
            QTest::addRow("blank row among books %s", f.constData())
                << Target::Books << QList<Cells>{bookRow("B7"), {}, bookRow("B8")} << false
                << "导入数据失败,错误在3行2列!\n“图书编号”列：不能为空";
            QTest::addRow("history past its fields %s", f.constData())
                << Target::LendingHistory
                << QList<Cells>{{"B1", "书", "R0", "", "", "图书借阅", "2017-01-02", "超级用户", "一班", "多余"}} << false
                << "导入文件失败，可能是有的数据为空或有非法字符!\n第2行“第10”列：数据表jieyuelishiinfo只有9个字段，这一列无处可存";
            // A loan takes a copy in stock that is neither lent nor reserved.
            for (const auto& [tag, book, reason] : {std::tuple{"missing copy", "B9", "书库中没有图书“B9”"},
                                                    std::tuple{"lent copy", "B3", "图书“B3”已借出或预约"},
                                                    std::tuple{"reserved copy", "B4", "图书“B4”已借出或预约"},
                                                    std::tuple{"copy with a reservation", "B0", "图书“B0”已借出或预约"},
                                                    std::tuple{"same copy twice", "B1", "图书“B1”已借出或预约"}})
                QTest::addRow("%s %s", tag, f.constData())
                    << Target::Loans << QList<Cells>{loanRow("B1", "R1"), loanRow(book, "R1")} << false
                    << QStringLiteral("导入文件失败,错误在2行!\n“图书编号”列：") + reason;
        }
    }

    void badRowChangesNothing()
    {
        QFETCH(Target, target);
        QFETCH(QList<QVariantList>, rows);
        QFETCH(bool, overwrite);
        QFETCH(QString, message);
        Workplace work;
        addBooksInStock({"B0", "B1", "B2", "B3", "B4"});
        QVERIFY(run(QStringLiteral("update bkinfo set 是否借出=1 where 图书编号='B3'")));
        QVERIFY(run(QStringLiteral("update bkinfo set 是否借出=2 where 图书编号='B4'")));
        QVERIFY(run(QStringLiteral("insert into jieyue_yuyue (图书编号) values ('B0')")));
        QVERIFY(insertCopy(QStringLiteral("qikaninfo"), QStringLiteral("Q0"), QStringLiteral("刊"), 3));
        QVERIFY(insertReader(QStringLiteral("R0")));
        QVERIFY(run(QStringLiteral("insert into jieyuelishiinfo (图书编号, 操作时间) values ('B0', '2017-01-01')")));
        const QStringList before = databaseSnapshot();
        const QString format = QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char(' '), -1);
        const ImportSpec spec = ImportSpec::forTarget(target);
        rows.prepend(headings(spec.table, spec.firstField, spec.fieldCount));
        const QString path = writeSheet(work, QStringLiteral("坏.") + format, QStringLiteral("sheet1"), rows);
        const Outcome outcome = runImport(work, target, path, overwrite);
        QVERIFY(!outcome.done);
        QCOMPARE(outcome.message, message);
        QCOMPARE(databaseSnapshot(), before);
    }

    void fileOrSheetRefused_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("message");
        const QString wrongTemplate = QStringLiteral("导入数据失败,请检查数据模板名称是否正确!\n文件中没有工作表“sheet1”");
        QTest::newRow("books, other sheet") << Target::Books << "图书" << wrongTemplate;
        // The periodicals name the first cell for any file they cannot read.
        const QString firstCell = QStringLiteral("导入数据失败,错误在2行1列!\n");
        QTest::newRow("periodicals, other sheet") << Target::Periodicals << "期刊"
                                                  << firstCell + QStringLiteral("文件中没有工作表“sheet1”");
        QTest::newRow("periodicals, text named .xls") << Target::Periodicals << "" << firstCell;
        QTest::newRow("books, SHEET1") << Target::Books << "SHEET1" << "";
        QTest::newRow("readers, any sheet") << Target::Readers << "名单" << "";
        QTest::newRow("text named .xls") << Target::Readers << "" << "导入文件失败，可能是有的数据为空或有非法字符!\n";
    }

    void fileOrSheetRefused()
    {
        QFETCH(Target, target);
        QFETCH(QString, sheet);
        QFETCH(QString, message);
        Workplace work;
        const ImportSpec spec = ImportSpec::forTarget(target);
        QString path = work.folder.path() + QStringLiteral("/名单.xls");
        if (sheet.isEmpty()) {
            QVERIFY(writeFile(path, "编号,姓名\nR1,张三\n"));
        } else {
            path = writeSheet(work, QStringLiteral("名单.xlsx"), sheet,
                              {headings(spec.table, spec.firstField, spec.fieldCount)});
        }
        const Outcome outcome = runImport(work, target, path);
        QCOMPARE(outcome.done, message.isEmpty());
        if (outcome.done)
            QCOMPARE(outcome.stored, 0);
        else
            QVERIFY2(outcome.message.startsWith(message), qPrintable(outcome.message));
    }

    // The open dialog, captioned as the system's: the book window offers both workbook kinds,
    // the others .xls files. The browse button shows icon 192, the import button 210 or none.
    void browseFiltersAndIcons_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("importIcon");
        const QString xls = QStringLiteral("Excel文件(*.xls)");
        QTest::newRow("books") << Target::Books << "Excel2003 Files (*.xls);;Excel2007 Files (*.xlsx)" << 210;
        QTest::newRow("periodicals") << Target::Periodicals << xls << 210;
        QTest::newRow("readers") << Target::Readers << xls << 210;
        QTest::newRow("loans") << Target::Loans << xls << 0;
        QTest::newRow("history") << Target::LendingHistory << xls << 0;
    }

    void browseFiltersAndIcons()
    {
        QFETCH(Target, target);
        QFETCH(QString, filter);
        QFETCH(int, importIcon);
        struct FilterRecorder : FileChooser {
            QStringList filters;
            QString openFile(QWidget*, const QString& caption, const QString&, const QString& offered) override
            {
                filters << caption + QLatin1Char('|') + offered;
                return {};
            }
            QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
            QString folder(QWidget*, const QString&, const QString&) override { return {}; }
        };
        Workplace work;
        FilterRecorder recorder;
        FileChooser::install(&recorder);
        const std::unique_ptr<CImportDlg> window = importWindow(target);
        auto* browse = window->findChild<QPushButton*>(QStringLiteral("m_btnBrowse"));
        browse->click();
        FileChooser::install(&work.seams.chooser);
        QCOMPARE(recorder.filters, QStringList{QStringLiteral("打开|") + filter});
        QVERIFY(sameIcon(browse->icon(), resourceIcon(192)));
        auto* import = window->findChild<QPushButton*>(QStringLiteral("m_btnImport"));
        QVERIFY(importIcon ? sameIcon(import->icon(), resourceIcon(importIcon)) : import->icon().isNull());
        // The buttons with an icon are skinned ones; the others are plain.
        QVERIFY(qobject_cast<CSkinButton*>(browse));
        QCOMPARE(qobject_cast<CSkinButton*>(import) != nullptr, importIcon != 0);
    }

    // A crafted workbook (a row numbered two billion) is refused with the reason, in the window.
    void craftedWorkbookRefusedWithTheReason()
    {
        Workplace work;
        const QString path = work.folder.path() + QStringLiteral("/名单.xlsx");
        QVERIFY(QFile::copy(QStringLiteral(SCHOOLLIB_SHEETS "/damaged/row-two-billion.xlsx"), path));
        CImportReaderDlg window;
        work.seams.chooser.answers.enqueue(path);
        work.seams.prompter.answers.enqueue(QMessageBox::No);  // append, not overwrite
        window.findChild<QPushButton*>(QStringLiteral("m_btnBrowse"))->click();
        window.findChild<QPushButton*>(QStringLiteral("m_btnImport"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsImporting(), 20000);
        QCOMPARE(work.seams.prompter.texts().mid(1),
                 QStringList{QStringLiteral("导入文件失败，可能是有的数据为空或有非法字符!\n"
                                            "xlsx文件的工作表“读者信息模板”不能读取：行号超出表格的1048576行")});
        QCOMPARE(tableRows(QStringLiteral("readerinfo")), QStringList());
    }

    // Workbooks crafted to take far more memory than their size, which ended the program:
    // the window refuses each with the reason and stores nothing.
    void craftedWorkbooksRefusedWithTheirReasons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");  // a pattern
        QTest::newRow("3,000 sheet entries of one far row")
            << "three-thousand-sheets.xlsx" << "xlsx文件的工作表“S\\d+”不能读取：整个工作簿读入内存将超过\\d+ MB";
        QTest::newRow("60,000 BOUNDSHEETs of one far row")
            << "sixty-thousand-sheets.xls" << "xls文件的工作表“S\\d+”不能读取：整个工作簿读入内存将超过\\d+ MB";
        QTest::newRow("shared strings of a gigabyte")
            << "shared-strings-bomb.xlsx" << "xlsx文件的共享文字不能读取：整个工作簿读入内存将超过\\d+ MB";
    }

    void craftedWorkbooksRefusedWithTheirReasons()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        Workplace work;
        QCOMPARE(QProcess::execute(QStringLiteral("/usr/bin/python3"),
                                   {QStringLiteral(SCHOOLLIB_SHEETS "/../damaged-workbooks.py"), work.folder.path(), name}),
                 0);
        CImportReaderDlg window;
        work.seams.chooser.answers.enqueue(work.folder.path() + QLatin1Char('/') + name);
        work.seams.prompter.answers.enqueue(QMessageBox::No);  // append, not overwrite
        window.findChild<QPushButton*>(QStringLiteral("m_btnBrowse"))->click();
        window.findChild<QPushButton*>(QStringLiteral("m_btnImport"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsImporting(), 20000);
        const QStringList texts = work.seams.prompter.texts().mid(1);
        QCOMPARE(texts.size(), 1);
        const QRegularExpression refusal(QStringLiteral("^导入文件失败，可能是有的数据为空或有非法字符!\n") + reason + QLatin1Char('$'));
        QVERIFY2(refusal.match(texts.front()).hasMatch(), qPrintable(texts.front()));
        QCOMPARE(tableRows(QStringLiteral("readerinfo")), QStringList());
    }

    // The three workbooks that took gigabytes before they were refused (900 MiB of blanks,
    // 1,000 MiB of empty shared strings, 1,000,000 rows of 30 numbers), imported in a child
    // whose address space is limited to 2 GB: the window refuses each with the reason, stores
    // nothing, and goes on.
    void workbooksRefusedUnderAMemoryLimit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        const QString spent = QStringLiteral("整个工作簿读入内存将超过1024 MB");
        const QString sheet = QStringLiteral("xlsx文件的工作表“S1”不能读取：");
        QTest::newRow("900 MiB of blanks") << "blanks-900-mib.xlsx" << sheet + "xl/worksheets/sheet1.xml展开后，" + spent;
        QTest::newRow("1,000 MiB of empty shared strings")
            << "empty-strings-1000-mib.xlsx" << QStringLiteral("xlsx文件的共享文字不能读取：") + spent;
        QTest::newRow("1,000,000 rows of 30 numbers") << "million-rows-of-30-numbers.xlsx" << sheet + spent;
    }

    void workbooksRefusedUnderAMemoryLimit()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString folder = QStringLiteral("SCHOOLLIB_BIG_WORKBOOKS");
        if (!LimitedChild::isChild()) {
            if (!m_bigWorkbooks) {
                m_bigWorkbooks = std::make_unique<QTemporaryDir>();
                QCOMPARE(QProcess::execute(QStringLiteral("/usr/bin/python3"),
                                           {QStringLiteral(SCHOOLLIB_SHEETS "/../damaged-workbooks.py"), m_bigWorkbooks->path(),
                                            QStringLiteral("memory")}),
                         0);
            }
            LimitedChild::run(2 * LimitedChild::kGiB, {folder + QLatin1Char('=') + m_bigWorkbooks->path()});
            return;
        }
        Workplace work;
        CImportReaderDlg window;
        work.seams.chooser.answers.enqueue(qEnvironmentVariable(qPrintable(folder)) + QLatin1Char('/') + name);
        work.seams.prompter.answers.enqueue(QMessageBox::No);  // append, not overwrite
        window.findChild<QPushButton*>(QStringLiteral("m_btnBrowse"))->click();
        window.findChild<QPushButton*>(QStringLiteral("m_btnImport"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsImporting(), 300000);
        QCOMPARE(work.seams.prompter.texts().mid(1),
                 QStringList{QStringLiteral("导入文件失败，可能是有的数据为空或有非法字符!\n") + reason});
        QCOMPARE(tableRows(QStringLiteral("readerinfo")), QStringList());
    }

    // Loans take copies in stock and mark them lent; their readers are recounted with
    // the periodicals they have out.
    void loansMarkCopiesAndRecount()
    {
        Workplace work;
        addBooksInStock({"B1", "B2", "B3"});
        QVERIFY(insertReader(QStringLiteral("R1")));
        QVERIFY(insertReader(QStringLiteral("R2")));
        QVERIFY(run(QStringLiteral("update readerinfo set 未还书数=9")));
        QVERIFY(insertLoan(QStringLiteral("qkjieyueinfo"), QStringLiteral("Q1"), QStringLiteral("R1")));
        const QString path = writeSheet(work, QStringLiteral("借阅.xls"), QStringLiteral("借阅"),
                                        {headings("jieyueinfo", 1, 11), loanRow("B1", "R1"), loanRow("B2", "R1")});
        const Outcome outcome = runImport(work, Target::Loans, path);
        QVERIFY2(outcome.done, qPrintable(outcome.message));
        QCOMPARE(cell(QStringLiteral("select group_concat(图书编号||'='||是否借出, ' ') from bkinfo")),
                 QStringLiteral("B1=1 B2=1 B3=0"));
        QCOMPARE(cell(QStringLiteral("select group_concat(编号||'='||未还书数, ' ') from readerinfo")),
                 QStringLiteral("R1=3 R2=9"));
    }

    void overwriteWhileLoansExist_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<QString>("loans");
        QTest::addColumn<bool>("refused");
        QTest::newRow("books, book loans") << Target::Books << "jieyueinfo" << true;
        QTest::newRow("books, periodical loans") << Target::Books << "qkjieyueinfo" << false;
        QTest::newRow("periodicals, periodical loans") << Target::Periodicals << "qkjieyueinfo" << true;
        QTest::newRow("readers, periodical loans") << Target::Readers << "qkjieyueinfo" << true;
        QTest::newRow("readers, book loans") << Target::Readers << "jieyueinfo" << true;
    }

    void overwriteWhileLoansExist()
    {
        QFETCH(Target, target);
        QFETCH(QString, loans);
        QFETCH(bool, refused);
        Workplace work;
        addBooksInStock({"B0"});
        QVERIFY(insertCopy(QStringLiteral("qikaninfo"), QStringLiteral("Q0"), QStringLiteral("刊"), 3));
        QVERIFY(insertReader(QStringLiteral("R0")));
        QVERIFY(insertLoan(loans, QStringLiteral("X"), QStringLiteral("R0")));
        const QStringList before = databaseSnapshot();
        const ImportSpec spec = ImportSpec::forTarget(target);
        const Cells row = target == Target::Readers ? Cells{"R5", "新"} : bookRow("N5");
        const QString path = writeSheet(work, QStringLiteral("新.xls"), QStringLiteral("sheet1"),
                                        {headings(spec.table, spec.firstField, spec.fieldCount), row});
        const Outcome outcome = runImport(work, target, path, true);
        QCOMPARE(outcome.done, !refused);
        if (refused) {
            QCOMPARE(outcome.message, QStringLiteral("还有未归还的借阅记录，不能覆盖原来的数据！"));
            QCOMPARE(databaseSnapshot(), before);
        } else {
            QCOMPARE(tableRows(spec.table).size(), 1);
        }
    }

    // Sheets of 32768 data rows or more move the catalogue imports' bar in tens.
    void barOfLargeSheets_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("bar");  // maximum, and the value at the last row
        QTest::newRow("books, 32767 rows") << Target::Books << 32767 << QList<int>{32767, 32766};
        QTest::newRow("periodicals, 40000 rows") << Target::Periodicals << 40000 << QList<int>{4000, 3999};
        QTest::newRow("readers, 40000 rows") << Target::Readers << 40000 << QList<int>{40001, 40000};
    }
    void barOfLargeSheets()
    {
        QFETCH(Target, target);
        QFETCH(int, rows);
        QFETCH(QList<int>, bar);
        const ImportSpec spec = ImportSpec::forTarget(target);
        QCOMPARE((QList<int>{spec.ProgressMaximum(rows), spec.ProgressValue(rows, rows)}), bar);
    }

    // The window: the path comes from browsing, the overwrite question may cancel, the
    // job runs on its thread while the window refuses to close, and the list shows the table.
    void windowImportsAndRefusesToCloseMeanwhile()
    {
        Workplace work;
        QList<Cells> rows = {headings("bkinfo", 1, 16)};
        for (int i = 0; i < 3000; ++i)
            rows << bookRow(QStringLiteral("B%1").arg(i, 5, 10, QLatin1Char('0')));
        const QString path = writeSheet(work, QStringLiteral("图书.xlsx"), QStringLiteral("sheet1"), rows);
        CImportBookDlg window;
        auto* import = window.findChild<QPushButton*>(QStringLiteral("m_btnImport"));
        import->click();
        QCOMPARE(work.seams.prompter.lastText(), QStringLiteral("请确认导入文件路径!"));
        work.seams.chooser.answers.enqueue(path);
        window.findChild<QPushButton*>(QStringLiteral("m_btnBrowse"))->click();
        work.seams.prompter.answers.enqueue(QMessageBox::Cancel);
        import->click();
        QVERIFY(!window.IsImporting());
        QCOMPARE(tableRows(QStringLiteral("bkinfo")).size(), 0);
        // The box's own default answers Enter.
        QCOMPARE(work.seams.prompter.messages.last().defaultButton, QMessageBox::NoButton);

        work.seams.prompter.messages.clear();
        work.seams.prompter.answers.enqueue(QMessageBox::No);
        window.show();
        import->click();
        QVERIFY(window.IsImporting());
        QVERIFY(!import->isEnabled());
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("m_btnBrowse"))->isEnabled());
        window.close();
        QVERIFY(window.isVisible());
        QCOMPARE(work.seams.prompter.texts().value(1), QStringLiteral("导入线程尚未结束!"));
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsImporting(), 20000);
        QCOMPARE(work.seams.prompter.lastText(), QStringLiteral("图书信息导入成功!"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("m_staticCount"))->text(),
                 QStringLiteral("共导入3000条记录,本页面只是显示一部分数据！"));
        QCOMPARE(window.findChild<QTreeWidget*>(QStringLiteral("m_list"))->topLevelItemCount(), 500);
        // The bar shows the index of the last row stored: a step short of its end.
        auto* bar = window.findChild<QProgressBar*>(QStringLiteral("m_progress"));
        QCOMPARE((QList<int>{bar->maximum(), bar->value()}), (QList<int>{3000, 2999}));
        QVERIFY(import->isEnabled());
        window.close();
        QVERIFY(!window.isVisible());
    }

    // A refused import leaves neither the count nor the rows of the import before it.
    void windowTellsTheFailureAlone()
    {
        Workplace work;
        const Cells heading = headings("jieyuelishiinfo", 0, 9);
        const Cells lent = {"B1", "书", "R1", "张三", "学生", "图书借阅", "2017-04-01", "超级用户", "一班"};
        const QString good = writeSheet(work, QStringLiteral("历史.xls"), QStringLiteral("历史"), {heading, lent, lent});
        Cells undated = lent;
        undated[6] = "";
        const QString bad = writeSheet(work, QStringLiteral("坏.xls"), QStringLiteral("历史"), {heading, lent, undated});
        CImportLendHistoryDlg window;
        auto* count = window.findChild<QLabel*>(QStringLiteral("m_staticCount"));
        for (const QString& path : {good, bad}) {
            work.seams.chooser.answers.enqueue(path);
            window.findChild<QPushButton*>(QStringLiteral("m_btnBrowse"))->click();
            window.findChild<QPushButton*>(QStringLiteral("m_btnImport"))->click();
            QTRY_VERIFY_WITH_TIMEOUT(!window.IsImporting(), 20000);
            if (path == good) {
                QCOMPARE(count->text(), QStringLiteral("共导入2条记录,本页面只是显示一部分数据！"));
                // The rows read, of the sheet's rows with the headings.
                auto* bar = window.findChild<QProgressBar*>(QStringLiteral("m_progress"));
                QCOMPARE((QList<int>{bar->maximum(), bar->value()}), (QList<int>{3, 2}));
                QCOMPARE(window.findChild<QTreeWidget*>(QStringLiteral("m_list"))->topLevelItemCount(), 2);
            }
        }
        QCOMPARE(work.seams.prompter.texts(),
                 (QStringList{QStringLiteral("借阅历史信息导入成功!"),
                              QStringLiteral("导入文件失败，可能是有的数据为空或有非法字符!\n第3行“操作时间”列：不能为空")}));
        QCOMPARE(count->text(), QString());
        QCOMPARE(window.findChild<QTreeWidget*>(QStringLiteral("m_list"))->topLevelItemCount(), 0);
        QCOMPARE(tableRows(QStringLiteral("jieyuelishiinfo")).size(), 2);
    }

    // Loan cells go in as they stand: an empty one is an empty text, blanks are kept.
    void loanCellsGoInAsTheyStand()
    {
        Workplace work;
        addBooksInStock({"B1"});
        Cells row = loanRow("B1", "");
        row[1] = " 书 ";
        const QString path = writeSheet(work, QStringLiteral("借阅.xlsx"), QStringLiteral("借阅"),
                                        {headings("jieyueinfo", 1, 11), row});
        const Outcome outcome = runImport(work, Target::Loans, path);
        QVERIFY2(outcome.done, qPrintable(outcome.message));
        QCOMPARE(cell(QStringLiteral("select typeof(读者编号)||'/'||读者编号||'/'||书名 from jieyueinfo")),
                 QStringLiteral("text// 书 "));
    }
};

QTEST_MAIN(TestImport)
#include "test_import.moc"
