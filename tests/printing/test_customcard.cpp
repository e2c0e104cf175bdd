#include "PrintTestSupport.h"

#include "core/TextCodec.h"
#include "printing/CardPage.h"
#include "printing/CardTitle.h"
#include "printing/CustomCardPages.h"
#include "printing/CustomCardPrintDlg.h"
#include "printing/CardSetDlg.h"
#include "printing/FontSetup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

namespace {
// Rows and columns of the image that are dark from one end of the cut lines to the other.
QList<int> fullRows(const QImage& image, int from, int to)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        if (std::all_of(line + from, line + to, [](uchar g) { return g < 128; }))
            rows << y;
    }
    return rows;
}

QList<int> fullColumns(const QImage& image, int from, int to)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        bool dark = true;
        for (int y = from; y < to && dark; y += 7)
            dark = qGray(image.pixel(x, y)) < 128;
        if (dark)
            columns << x;
    }
    return columns;
}
}

class TestCustomCard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    void cardPositions_data()
    {
        QTest::addColumn<CardPageGeometry>("geometry");
        QTest::addColumn<QList<QPoint>>("fronts");
        QTest::addColumn<int>("backX");
        const CardPageGeometry start;
        CardPageGeometry top = start, spaced = start;
        top.top = 60;
        spaced.lineSpacing = 0;
        spaced.columnSpacing = 40;
        spaced.fontSize = 10;
        QTest::newRow("start values") << start << QList<QPoint>{{25, 25}, {25, 290}, {25, 555}, {25, 820}, {25, 1085}}
                                      << 485;
        QTest::newRow("top margin 60") << top << QList<QPoint>{{25, 60}, {25, 325}, {25, 590}, {25, 855}, {25, 1120}}
                                       << 485;
        QTest::newRow("spacings") << spaced << QList<QPoint>{{25, 25}, {25, 275}, {25, 525}, {25, 775}, {25, 1025}}
                                  << 505;
        // A card more than 1,000,000 page pixels from the page's corner is on no page, and
        // at a printer's scale its coordinates would overflow: it is not drawn.
        CardPageGeometry farLeft = start, farBack = start, farTop = start, farRows = start, lastLeft = start;
        farLeft.left = -1000001;
        farBack.columnSpacing = 1000000;
        farTop.top = 1000001;
        farRows.lineSpacing = 400000;
        lastLeft.left = std::numeric_limits<int>::max();
        QTest::newRow("front out of reach") << farLeft << QList<QPoint>() << 0;
        QTest::newRow("back out of reach") << farBack << QList<QPoint>() << 0;
        QTest::newRow("largest left margin") << lastLeft << QList<QPoint>() << 0;
        QTest::newRow("top out of reach") << farTop << QList<QPoint>() << 0;
        QTest::newRow("rows past reach") << farRows << QList<QPoint>{{25, 25}, {25, 400275}, {25, 800525}} << 485;
    }

    void cardPositions()
    {
        QFETCH(CardPageGeometry, geometry);
        QFETCH(QList<QPoint>, fronts);
        QFETCH(int, backX);
        QImage page(991, 1403, QImage::Format_RGB32);
        QPainter painter(&page);
        QList<QPoint> drawn;
        CardPage::Draw(painter, geometry, 1, 1, 7, [&](int row, QPoint front, QPoint back) {
            QCOMPARE(row, drawn.size());
            QCOMPARE(back, QPoint(backX, front.y()));
            drawn << front;
        });
        QCOMPARE(drawn, fronts);
    }

    // On a 600-dpi page the cut lines are scaled whole: across at 18 + i x 265 page pixels from
    // x 10 to 980, down at the left margin - 5 + j x 455 from y 10 to 1380, times 5.
    void cutLines_data()
    {
        QTest::addColumn<CardPageGeometry>("geometry");
        QTest::addColumn<QList<int>>("columns");
        CardPageGeometry left, top;
        left.left = 60;
        top.top = 60;
        QTest::newRow("start values") << CardPageGeometry() << QList<int>{100, 2375, 4650};
        QTest::newRow("left margin 60") << left << QList<int>{275, 2550, 4825};
        QTest::newRow("top margin 60") << top << QList<int>{100, 2375, 4650};
    }

    void cutLines()
    {
        QFETCH(CardPageGeometry, geometry);
        QFETCH(QList<int>, columns);
        CustomCardPages cards;
        cards.SetGeometry(geometry);
        cards.SetCodes({QStringLiteral("QX00001")});
        const QImage page = renderPage(cards, 1, 5).convertToFormat(QImage::Format_Grayscale8);
        QCOMPARE(fullRows(page, 50, 4900), (QList<int>{90, 1415, 2740, 4065, 5390, 6715}));
        QCOMPARE(fullColumns(page, 50, 6900), columns);
        QVERIFY(!inked(page, QRect(0, 0, 50, 5000)));
        QVERIFY(!inked(page, QRect(4901, 0, 54, 5000)));
    }

    void titleFromSetupIni_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("title");
        const QString fifty = QString(50, QChar(0x4E66));  // 100 GBK bytes
        QTest::newRow("GBK") << toGbk(QStringLiteral("[Title]\r\nm_title=实验中学图书馆\r\n")) << "实验中学图书馆";
        QTest::newRow("UTF-8") << QStringLiteral("[Net]\nid=1\n[Title]\nm_title=一中\n").toUtf8() << "一中";
        QTest::newRow("cut to 99 bytes") << toGbk("[Title]\nm_title=" + fifty + "\n") << fifty.left(49);
        QTest::newRow("no key") << QByteArray("[Title]\n") << "";
    }

    void titleFromSetupIni()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, title);
        Workplace w;
        QVERIFY(writeFile(QStringLiteral("setup.ini"), ini));
        CCustomCardPrintDlg dlg;
        QString shown;
        whenShown<CCardSetDlg>([&shown](CCardSetDlg& settings) {
            shown = child<QLineEdit>(settings, "m_editTitle")->text();
            QCOMPARE(child<QLabel>(settings, "m_labelSampleTitle")->text(), shown);
            click(settings, "m_btnCancel");
        });
        click(dlg, "m_btnSetting");
        QCOMPARE(shown, title);
        QCOMPARE(fileBytes(QStringLiteral("setup.ini")), ini);  // cancelled: nothing written
    }

    // OK keeps the numbers for the window, a text that is no number as 0, and writes the
    // title; only a title that setup.ini cannot keep is refused, and the window stays open.
    void settings_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("new title") << "m_editTitle" << "第二中学" << "第二中学" << "";
        QTest::newRow("font size is kept only") << "m_editFontSize" << "12" << "12" << "";
        QTest::newRow("margin not a number") << "m_editTop" << "abc" << "0" << "";
        QTest::newRow("empty margin") << "m_editLeft" << "" << "0" << "";
        QTest::newRow("negative spacing") << "m_editLineSpacing" << "-5" << "-5" << "";
        QTest::newRow("spacing 12.7") << "m_editColumnSpacing" << "12.7" << "12" << "";
        QTest::newRow("title too long") << "m_editTitle" << QString(50, QChar(0x4E66)) << ""
                                        << "标题不能超过99个字节（一个汉字两个字节）！";
    }

    void settings()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        Workplace w;
        CCustomCardPrintDlg dlg;
        bool stayedOpen = false;
        whenShown<CCardSetDlg>([&](CCardSetDlg& settings) {
            settings.findChild<QLineEdit*>(field)->setText(text);
            click(settings, "m_btnOk");
            stayedOpen = settings.isVisible();
            if (stayedOpen)
                click(settings, "m_btnCancel");
        });
        click(dlg, "m_btnSetting");
        QCOMPARE(w.seams.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(stayedOpen, !message.isEmpty());
        const bool title = field == QLatin1String("m_editTitle");
        QCOMPARE(CardTitle::Read(QStringLiteral("setup.ini")), title ? shown : QString());
        QString again;
        whenShown<CCardSetDlg>([&](CCardSetDlg& settings) {
            again = settings.findChild<QLineEdit*>(field)->text();
            click(settings, "m_btnCancel");
        });
        click(dlg, "m_btnSetting");
        if (message.isEmpty())
            QCOMPARE(again, shown);
    }

    // The default run makes two pages of five cards; each printed page scans as its numbers.
    void printedCardsScan()
    {
        PrintBench w;
        CCustomCardPrintDlg dlg;
        click(dlg, "m_btnGenerate");
        QCOMPARE(pageText(dlg), QStringLiteral("1/2页"));
        w.print(dlg, {{1, 2}});
        QCOMPARE(w.scannedPages(), (QList<QStringList>{{"QX00001", "QX00002", "QX00003", "QX00004", "QX00005"},
                                                       {"QX00006", "QX00007", "QX00008", "QX00009", "QX00010"}}));
        QVERIFY(w.messages().isEmpty());
    }

    // The number's barcode has 190 pixels to the card's edge: with its quiet zone, and modules
    // as wide as 3 dots of a 300-dpi printer, a 10-character number fits, 11 do not, 16 cross
    // the cut line and 20 run into the back; those are named before printing and "No" prints
    // nothing.
    void numbersThatDoNotFitAreNamed_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("named");
        QTest::newRow("7 characters") << "QX00001" << false;
        QTest::newRow("9 characters") << "QX0000001" << false;
        QTest::newRow("10 characters") << "QX00000001" << false;
        QTest::newRow("11 characters") << "QX000000001" << true;
        QTest::newRow("16 characters") << "QX00000000000001" << true;
        QTest::newRow("20 characters") << "QX000000000000000001" << true;
    }

    void numbersThatDoNotFitAreNamed()
    {
        QFETCH(QString, number);
        QFETCH(bool, named);
        PrintBench w;
        w.seams.prompter.answers.enqueue(QMessageBox::No);
        CCustomCardPrintDlg dlg;
        child<QLineEdit>(dlg, "m_editCode")->setText(number);
        child<QLineEdit>(dlg, "m_editCount")->setText(QStringLiteral("1"));
        click(dlg, "m_btnGenerate");
        w.print(dlg, {{1, 1}});
        if (named) {
            QCOMPARE(w.messages().size(), 1);
            QVERIFY(w.messages()[0].contains(QStringLiteral("可能无法扫描：\n") + number));
            QVERIFY(w.printing.sink.files.isEmpty());
        } else {
            QVERIFY(w.messages().isEmpty());
            QCOMPARE(w.scannedPages(), QList<QStringList>{{number}});
        }
    }
};

QTEST_MAIN(TestCustomCard)
#include "test_customcard.moc"
