#include "PrintTestSupport.h"

#include "printing/BarcodeLayoutFile.h"
#include "printing/BarcodeSetDlg.h"
#include "printing/CodeRun.h"
#include "printing/CustomBarcodePrintDlg.h"
#include "printing/CustomCardPrintDlg.h"
#include "printing/FontSetup.h"
#include "printing/PagePreview.h"
#include "printing/PrintCheck.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {
void generate(QWidget& window, const QString& first, const QString& count)
{
    child<QLineEdit>(window, "m_editCode")->setText(first);
    child<QLineEdit>(window, "m_editCount")->setText(count);
    click(window, "m_btnGenerate");
}

QStringList column(QWidget& window, int col) { return listColumn(window, "m_list", col); }

QStringList run(const QString& prefix, int from, int to, int width)
{
    QStringList codes;
    for (int n = from; n <= to; ++n)
        codes << prefix + QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
    return codes;
}
}

class TestCustomBarcode : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    void codeRuns_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("defaults") << "QX0000001" << "60" << run("QX", 1, 60, 7) << "";
        QTest::newRow("carry into a longer number") << "0099" << "3" << QStringList{"0099", "0100", "0101"} << "";
        QTest::newRow("outgrows its width") << "QX9" << "5" << QStringList{"QX9"} << "";
        // The letters are joined in front of the number of all the digits.
        QTest::newRow("digits inside letters") << "A1B2" << "3" << QStringList{"A1B2", "AB13", "AB14"} << "";
        QTest::newRow("letters after the digits") << "A12B" << "3" << QStringList{"A12B", "AB13", "AB14"} << "";
        QTest::newRow("no digits") << "ABC" << "3" << QStringList{"ABC"} << "";
        QTest::newRow("count 0") << "QX1" << "0" << QStringList{"QX1"} << "";
        QTest::newRow("count 1") << "QX1" << "1" << QStringList{"QX1"} << "";
        QTest::newRow("negative count") << "QX1" << "-4" << QStringList{"QX1"} << "";
        QTest::newRow("count 40.7") << "B01" << "40.7" << run("B", 1, 40, 2) << "";
        QTest::newRow("count not a number") << "A00001" << "十" << QStringList{"A00001"} << "";
        QTest::newRow("empty count") << "A00001" << "" << QStringList{"A00001"} << "";
        QTest::newRow("empty first code") << "" << "5" << QStringList{""} << "";
        QTest::newRow("20 digits") << "QX18446744073709551615" << "3"
                                   << QStringList{"QX18446744073709551615", "QX18446744073709551616",
                                                  "QX18446744073709551617"}
                                   << "";
        QTest::newRow("the cap") << "A00001" << "10000" << run("A", 1, 10000, 5) << "";
        QTest::newRow("over the cap") << "A00001" << "10001" << QStringList() << "个数不能超过10000！";
        QTest::newRow("huge count") << "A00001" << "99999999999999" << QStringList() << "个数不能超过10000！";
        QTest::newRow("huge count, one digit") << "QX1" << "99999999999999" << run("QX", 1, 9, 1) << "";
        QTest::newRow("Chinese prefix") << "图书001" << "3" << QStringList() << "不能生成条码：字符“图”不能编码！";
        QTest::newRow("too long") << QString(49, QLatin1Char('1')) << "3" << QStringList()
                                  << "不能生成条码：超过48个条码字符！";
    }

    void codeRuns()
    {
        QFETCH(QString, first);
        QFETCH(QString, count);
        QFETCH(QStringList, codes);
        QFETCH(QString, refusal);
        const CodeRun::Result result = CodeRun::Make(first, count);
        QCOMPARE(result.refusal, refusal);
        QCOMPARE(result.codes, codes);
    }

    void printQuestion_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<int>("pitch");
        QTest::addColumn<QString>("question");
        QTest::newRow("all fine") << QStringList{"QX0000001", ""} << 194 << "";
        QTest::newRow("cannot be encoded") << QStringList{"QX1", "书1"} << 194
                                           << "以下编号不能编成条码，只印文字：\n书1\n\n仍然打印吗？";
        // 20 characters make 255 modules, 265 with the quiet zone: 318 pixels when each module
        // prints as 3 dots at 300 dpi.
        QTest::newRow("too wide") << QStringList{"ABCDEFGHIJKLMNOPQRST"} << 317
                                  << "以下条码加上空白比标签间距宽，可能无法扫描：\nABCDEFGHIJKLMNOPQRST\n\n仍然打印吗？";
        QTest::newRow("just fits") << QStringList{"ABCDEFGHIJKLMNOPQRST"} << 318 << "";
        // The blank between two labels is the quiet zone of both: a 10-character book number
        // on a 40 mm label (189 pixels) scans and asks nothing.
        QTest::newRow("book number on 40 mm") << QStringList{"TS00000001"} << 189 << "";
        QTest::newRow("width not limited") << QStringList{"ABCDEFGHIJKLMNOPQRST"} << 0 << "";
        QTest::newRow("long lists are cut") << run("书", 1, 12, 2) << 0
                                            << "以下编号不能编成条码，只印文字：\n" + run("书", 1, 10, 2).join('\n')
                                                   + "\n……共12个\n\n仍然打印吗？";
    }

    void printQuestion()
    {
        QFETCH(QStringList, codes);
        QFETCH(int, pitch);
        QFETCH(QString, question);
        QCOMPARE(PrintCheck::Question(codes, pitch), question);
    }

    void pagingFollowsTheRun()
    {
        PrintBench w;
        CCustomBarcodePrintDlg dlg;
        dlg.show();
        QCoreApplication::processEvents();
        QCOMPARE(w.messages(), QStringList{"打开条码配置文件出错！"});
        click(dlg, "m_btnNext");  // nothing before the first run
        QCOMPARE(w.messages().size(), 1);
        click(dlg, "m_btnGenerate");
        QCOMPARE(column(dlg, 1), run("QX", 1, 50, 7));
        QCOMPARE(column(dlg, 0).last(), QStringLiteral("49"));
        QCOMPARE(pageText(dlg), QStringLiteral("1/2页"));
        const QImage& page = child<PagePreview>(dlg, "m_preview")->PageSurface();
        QVERIFY(inked(page, QRect(0, 1195, 964, 128)));  // the last row of labels
        click(dlg, "m_btnNext");
        QCOMPARE(column(dlg, 1), run("QX", 51, 60, 7));
        QCOMPARE(column(dlg, 0).first(), QStringLiteral("50"));
        QCOMPARE(pageText(dlg), QStringLiteral("2/2页"));
        QVERIFY(inked(page, QRect(0, 133, 964, 128)));
        QVERIFY(!inked(page, QRect(0, 266, 964, 128)));  // page 2 holds two rows
        click(dlg, "m_btnNext");
        QCOMPARE(w.seams.prompter.lastText(), QStringLiteral("已是最后一页！"));
        child<QComboBox>(dlg, "m_comboPage")->activated(0);
        QCOMPARE(column(dlg, 1).size(), 50);
        click(dlg, "m_btnPrevious");
        QCOMPARE(w.seams.prompter.lastText(), QStringLiteral("已是第一页！"));
    }

    // A smaller grid after "确定" gives more pages at once, the page shown stays, the file is
    // read again, and every printed page scans as exactly its codes.
    void settingsRecountThePagesAndPrint()
    {
        PrintBench w;
        QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::CustomCodes)));
        CCustomBarcodePrintDlg dlg;
        click(dlg, "m_btnGenerate");
        click(dlg, "m_btnNext");
        whenShown<CBarcodeSetDlg>([](CBarcodeSetDlg& settings) {
            child<QLineEdit>(settings, "m_editRows")->setText(QStringLiteral("8"));
            click(settings, "m_btnOk");
        });
        click(dlg, "m_btnSetting");
        QCOMPARE(pageText(dlg), QStringLiteral("2/2页"));
        QCOMPARE(column(dlg, 1), run("QX", 41, 60, 7));
        QCOMPARE(LayoutRecord::Read(BarcodeLayoutFile::Path(BarcodeLayoutFile::CustomCodes))->Rows(), 8);
        w.print(dlg, {{1, 2}});
        QCOMPARE(w.scannedPages(), (QList<QStringList>{run("QX", 1, 40, 7), run("QX", 41, 60, 7)}));
        QVERIFY(w.messages().isEmpty());
    }

    // 20-digit codes are wider than the label's cell; on two 95 mm labels a row behind a 5 mm
    // margin every one starts on its own label, the left column's on the paper, and scans.
    void wideCodesScanInBothColumns_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("203 dpi") << 203;
        QTest::newRow("300 dpi") << 300;
    }

    void wideCodesScanInBothColumns()
    {
        QFETCH(int, dpi);
        PrintBench w;
        LayoutRecord layout = LayoutRecord::Defaults();
        layout.SetLeftMargin(5);
        layout.SetColumns(2);
        layout.SetLabelWidth(95);
        layout.SetColumnGap(5);
        layout.SetRows(12);
        layout.SetLabelHeight(22);
        QVERIFY(layout.Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::CustomCodes)));
        CCustomBarcodePrintDlg dlg;
        generate(dlg, QStringLiteral("12345678901234567890"), QStringLiteral("24"));
        w.printing.chooser.resolution = dpi;
        w.print(dlg, {{1, 1}});
        QVERIFY(w.messages().isEmpty());
        QCOMPARE(w.scannedPages(dpi), QList<QStringList>{run("12345678901234567", 890, 913, 3)});
    }

    // Before the first run the print dialog offers the one page there is, which prints blank
    // labels, or cards with nothing but their cut lines.
    void printBeforeTheFirstRun_data()
    {
        QTest::addColumn<bool>("cards");
        QTest::newRow("custom barcodes") << false;
        QTest::newRow("custom cards") << true;
    }

    void printBeforeTheFirstRun()
    {
        QFETCH(bool, cards);
        PrintBench w;
        QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::CustomCodes)));
        const std::unique_ptr<QDialog> dlg = cards ? std::unique_ptr<QDialog>(new CCustomCardPrintDlg)
                                                   : std::unique_ptr<QDialog>(new CCustomBarcodePrintDlg);
        w.printsOnePage(*dlg, cards);
    }

    // Enter in the first code or the count makes no run: only "生成条码" does. It moves on
    // like Tab and leaves the window open.
    void enterMakesNoRun_data()
    {
        QTest::addColumn<bool>("cards");
        QTest::addColumn<QString>("field");
        QTest::newRow("custom barcodes, first code") << false << "m_editCode";
        QTest::newRow("custom barcodes, count") << false << "m_editCount";
        QTest::newRow("custom cards, first number") << true << "m_editCode";
        QTest::newRow("custom cards, count") << true << "m_editCount";
    }

    void enterMakesNoRun()
    {
        QFETCH(bool, cards);
        QFETCH(QString, field);
        PrintBench w;
        QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::CustomCodes)));
        const std::unique_ptr<QDialog> dlg = cards ? std::unique_ptr<QDialog>(new CCustomCardPrintDlg)
                                                   : std::unique_ptr<QDialog>(new CCustomBarcodePrintDlg);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        auto* edit = child<QLineEdit>(*dlg, field);
        QCOMPARE(windowsOpenedByEnter(edit), QStringList());
        QVERIFY(column(*dlg, 1).isEmpty());
        QCOMPARE(pageText(*dlg), QString());
        QVERIFY(dlg->isVisible());
        QVERIFY(!edit->hasFocus());
        QVERIFY(w.messages().isEmpty());
    }

    void buttonIcons()
    {
        Workplace w;
        CCustomBarcodePrintDlg dlg;
        const QList<std::pair<QString, int>> icons = {{"m_btnGenerate", 265}, {"m_btnPreview", 266},
                                                      {"m_btnPrint", 267},    {"m_btnSetting", 135},
                                                      {"m_btnCancel", 215}};
        for (const auto& [button, id] : icons)
            QVERIFY2(showsIcon(dlg, button, id), qPrintable(button));
    }

    // A code that cannot be scanned is named before printing; "No" prints nothing.
    void questionBeforePrinting_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<int>("jobs");
        QTest::newRow("no prints nothing") << QMessageBox::No << 0;
        QTest::newRow("yes prints") << QMessageBox::Yes << 1;
    }

    void questionBeforePrinting()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(int, jobs);
        PrintBench w;
        w.seams.prompter.answers.enqueue(answer);
        CCustomBarcodePrintDlg dlg;
        generate(dlg, QStringLiteral("ABCDEFGHIJKLMNOPQRS1"), QStringLiteral("2"));
        w.print(dlg, {{1, 1}});
        QVERIFY(w.messages().last().contains(QStringLiteral("ABCDEFGHIJKLMNOPQRS2")));
        QCOMPARE(w.printing.sink.files.size(), jobs);
        QCOMPARE(w.printing.chooser.offered.size(), jobs);
    }
};

QTEST_MAIN(TestCustomBarcode)
#include "test_custombarcode.moc"
