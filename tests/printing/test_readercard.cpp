#include "PrintTestSupport.h"

#include "printing/CardSetDlg.h"
#include "printing/FontSetup.h"
#include "printing/ReaderCard.h"
#include "printing/ReaderCardPages.h"
#include "printing/ReaderCardPrintDlg.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QtTest>

namespace {
constexpr double kPagePixelsPerMm = 120 / 25.4;
constexpr double kToleranceMm = 0.3;

const QList<QStringList> kReaders = {
    {"R001", "张三", "男", "学生", "初一(1)班"}, {"R002", "李四", "女", "学生", "初一(2)班"},
    {"R003", "王五", "男", "教师", "教务处"},    {"R004", "赵六", "女", "教师", "教务科"},
    {"R005", "孙七", "男", "学生", "初二(1)班"}, {"R006", "周八", "女", "职工", "总务处"},
    {"T007", "吴九", "男", "学生", "初三(1)班"},
};

QStringList numbers(const QList<QStringList>& readers)
{
    QStringList found;
    for (const QStringList& reader : readers)
        found << reader[0];
    return found;
}

// The pixel rows or columns of the raster where a grey line runs through the whole span.
QList<int> lines(const QImage& page, bool horizontal, int from, int to)
{
    QList<int> found;
    const int count = horizontal ? page.height() : page.width();
    for (int i = 0; i < count; ++i) {
        int dark = 0, samples = 0;
        for (int j = from; j < to; j += 3, ++samples)
            dark += qGray(horizontal ? page.pixel(j, i) : page.pixel(i, j)) < 200;
        if (dark == samples)
            found << i;
    }
    return found;
}

// Neighbouring rows of one line count once, at their middle, in millimetres.
QList<double> lineMm(const QList<int>& rows)
{
    QList<double> mm;
    for (int i = 0; i < rows.size();) {
        int j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        mm << (rows[i] + rows[j] + 1) / 2.0 / kRasterDotsPerMm;
        i = j + 1;
    }
    return mm;
}

void compareMm(const QList<double>& measured, const QList<double>& pagePixels)
{
    QCOMPARE(measured.size(), pagePixels.size());
    for (int i = 0; i < measured.size(); ++i)
        QVERIFY2(std::abs(measured[i] - pagePixels[i] / kPagePixelsPerMm) <= kToleranceMm,
                 qPrintable(QStringLiteral("%1 mm, expected %2 mm").arg(measured[i]).arg(pagePixels[i] / kPagePixelsPerMm)));
}
}

class TestReaderCard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    void searches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("all, first page") << "(全部)" << numbers(kReaders.mid(0, 5));
        QTest::newRow("department prefix") << "教务" << QStringList{"R003", "R004"};
        QTest::newRow("number") << "R005" << QStringList{"R005"};
        QTest::newRow("number is not a prefix") << "R00" << QStringList();
        QTest::newRow("type") << "教" << QStringList{"R003", "R004"};
        QTest::newRow("name") << "吴" << QStringList{"T007"};
        QTest::newRow("department, not inside it") << "(1)班" << QStringList();
        QTest::newRow("quote") << "O'Brien" << QStringList{"R008"};
        QTest::newRow("percent is literal") << "%" << QStringList();
        QTest::newRow("underscore is literal") << "初_" << QStringList();
    }

    void searches()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        Workplace w;
        QVERIFY(addReaders(kReaders));
        if (text != QLatin1String("(全部)"))
            QVERIFY(addReaders({{"R008", "O'Brien", "男", "学生", "外籍"}}));
        CReaderCardPrintDlg dlg;
        searchFor(&dlg, text);
        QCOMPARE(listColumn(dlg, "m_listCandidates", 0), found);
        QCOMPARE(w.seams.prompter.texts(),
                 found.isEmpty() ? QStringList{QStringLiteral("没有找到相关信息的读者!")} : QStringList());
    }

    // "(全部)" stands in the search text until the librarian clicks into it and types.
    void typedSearchAfterOpening()
    {
        Workplace w;
        QVERIFY(addReaders(kReaders));
        CReaderCardPrintDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto* edit = child<QLineEdit>(dlg, "m_editSearch");
        QCOMPARE(edit->text(), QStringLiteral("(全部)"));
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, QStringLiteral("R005"));
        QTest::keyClick(edit, Qt::Key_Return);  // Enter does not search in this window
        QVERIFY(listColumn(dlg, "m_listCandidates", 0).isEmpty());
        click(dlg, "m_btnSearch");
        QCOMPARE(listColumn(dlg, "m_listCandidates", 0), QStringList{"R005"});
    }

    // Printed to PDF and read at 300 dpi: the cut lines and cards stand where the page puts
    // them, page 2 holds its two readers in rows 1 and 2, a reader without a name leaves his
    // row blank, and each page's numbers scan.
    void printedPages()
    {
        PrintBench w;
        QList<QStringList> readers = kReaders;
        readers[1][1].clear();  // R002 has no name
        QVERIFY(addReaders(readers));
        CReaderCardPrintDlg dlg;
        addAllToPrintList(dlg);
        QCOMPARE(pageText(dlg), QStringLiteral("1/2页"));
        w.print(dlg, {{1, 2}});
        QCOMPARE(w.printing.sink.files.size(), 2);
        const QStringList scanned[] = {{"R001", "R003", "R004", "R005"}, {"R006", "T007"}};
        const QList<double> fronts[] = {{25, 555, 820, 1085}, {25, 290}};
        for (int page = 0; page < 2; ++page) {
            const QImage image = rasterisedPage(w.printing.sink.files[page], w.folder.path());
            QVERIFY(!image.isNull());
            compareMm(lineMm(lines(image, false, 18 * 2.5 + 5, 1343 * 2.5 - 5)), {20, 475, 930});
            compareMm(lineMm(lines(image, true, 20 * 2.5 + 5, 930 * 2.5 - 5)), {18, 283, 548, 813, 1078, 1343});
            // Each front has two pairs of rules from x + 40 to x + 390, the first 40 pixels
            // below the card's top; the cut lines run through that span too.
            QList<double> rules;
            for (double mm : lineMm(lines(image, true, 70 * 2.5, 410 * 2.5)))
                if (std::abs(std::remainder(mm * kPagePixelsPerMm - 18, 265)) > 2)
                    rules << mm;
            QCOMPARE(rules.size(), 4 * fronts[page].size());
            QList<double> tops, expected;
            for (int i = 0; i < rules.size(); i += 4)
                tops << rules[i];
            for (double front : fronts[page])
                expected << front + 40;
            compareMm(tops, expected);
            QStringList found = decodeBarcodes({w.folder.path() + QStringLiteral("/raster.pgm")});
            found.sort();
            QCOMPARE(found, scanned[page]);
        }
        QVERIFY(w.messages().isEmpty());
    }

    // Adding readers and paging the print list show the page in the preview at once.
    void addingAndPagingShowThePage()
    {
        Workplace w;
        QVERIFY(addReaders(kReaders));
        std::vector<CardReaderInfo> readers;
        for (const QStringList& reader : kReaders)
            readers.push_back(CardReaderInfo::FromTexts(reader));
        CReaderCardPrintDlg dlg;
        previewFollowsThePrintList(dlg, ReaderCardPages(readers));
    }

    // Characters placed from (0, 0) with narrow 8 and wide 15 advances, lines 23 apart; "-"
    // stands for a character that is not written.
    void wrapping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("right");
        QTest::addColumn<QList<QPoint>>("places");
        QTest::newRow("narrow and wide") << "a书b" << 860 << QList<QPoint>{{0, 0}, {8, 0}, {23, 0}};
        QTest::newRow("tab") << "\tb" << 860 << QList<QPoint>{{32, 0}};
        QTest::newRow("line ends") << "a\nb\r\nc\r\rd" << 860
                                   << QList<QPoint>{{0, 0}, {0, 23}, {0, 46}, {0, 92}};
        // c passes the limit of 20 where it stands and d starts the next line.
        QTest::newRow("wraps after the passing character") << "abcd" << 20
                                                           << QList<QPoint>{{0, 0}, {8, 0}, {16, 0}, {0, 23}};
        QTest::newRow("limit narrower than a character") << "ab" << 5 << QList<QPoint>{{0, 0}, {0, 0}};
    }

    void wrapping()
    {
        QFETCH(QString, text);
        QFETCH(int, right);
        QFETCH(QList<QPoint>, places);
        QList<QPoint> placed;
        for (const CReaderCard::PlacedCharacter& character : CReaderCard::PlaceWrapped(text, 0, 0, right, 23, 8, 15))
            placed << character.at;
        QCOMPARE(placed, places);
    }

    // The cut lines run across from x 10 to 980 and down from y 10 to 1380, past the outer
    // cards, whatever the page holds.
    void cutLinesSpanThePage()
    {
        std::vector<CardReaderInfo> readers;
        for (const QStringList& reader : kReaders.mid(0, 2))
            readers.push_back(CardReaderInfo::FromTexts(reader));
        ReaderCardPages cards(readers);
        const QImage page = renderPage(cards, 1, 1);
        for (int y : {18, 283, 1343}) {
            const QList<int> across = darkColumns(page, y);
            QCOMPARE(across.first(), 10);
            QCOMPARE(across.last(), 980);
        }
        for (int x : {20, 475, 930}) {
            const QList<int> down = darkRows(page, x);
            QCOMPARE(down.first(), 10);
            QCOMPARE(down.last(), 1380);
        }
    }

    // The fronts and backs are set in the three faces that stand in for 宋体, 黑体 and 隶书,
    // embedded with their Unicode maps, so the printed page needs no font of the printer.
    void printedFonts()
    {
        PrintBench w;
        QVERIFY(addReaders(kReaders));
        CReaderCardPrintDlg dlg;
        addAllToPrintList(dlg);
        w.print(dlg, {{1, 1}});
        QCOMPARE(w.printing.sink.files.size(), 1);
        const QList<PdfFont> fonts = pdfFonts(w.printing.sink.files[0]);
        QVERIFY(!fonts.isEmpty());
        const QStringList allowed{"UMingCN", "WenQuanYiZenHei", "UKaiCN"};
        for (const PdfFont& font : fonts) {
            QVERIFY2(allowed.contains(font.name), qPrintable(font.name));
            QVERIFY2(font.embedded && font.unicodeMap, qPrintable(font.name));
        }
        const QString page = pdfTexts(w.printing.sink.files[0]).join(QString());
        for (const QString expected : {"借　阅　证", "持卡人须知", "张三", "初一(1)班", "妥善保管"})
            QVERIFY2(page.contains(QString(expected).remove(QChar(0x3000))), qPrintable(expected));
    }

    // Every character the cards print is in the font it is set in: no empty boxes on paper.
    void charactersAreInTheirFonts_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("text");
        QString names;
        for (const QStringList& reader : kReaders)
            names += reader.mid(1).join(QString());
        QTest::newRow("title") << "隶书" << "AR PL UKai CN" << "借　阅　证";
        QTest::newRow("back heading") << "隶书" << "AR PL UKai CN" << "持卡人须知";
        QTest::newRow("rules") << "宋体" << "AR PL UMing CN" << CReaderCard::Rules();
        QTest::newRow("fields") << "宋体" << "AR PL UMing CN" << "姓名:性别:类别:部门:NO:" + names;
        QTest::newRow("custom title") << "黑体" << "WenQuanYi Zen Hei" << "第一中学图书馆";
        QTest::newRow("label heading") << "宋体" << "AR PL UMing CN" << "学校图书馆";
    }

    void charactersAreInTheirFonts()
    {
        QFETCH(QString, face);
        QFETCH(QString, family);
        QFETCH(QString, text);
        QFont font(face);
        font.setPixelSize(40);
        QCOMPARE(QFontInfo(font).family(), family);
        const QRawFont raw = QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese);
        for (const QChar c : text)
            if (!c.isSpace() || c == QChar(0x3000))
                QVERIFY2(raw.supportsCharacter(c), qPrintable(QString(c)));
    }

    // Settings last while the window is open and start afresh in a new window.
    void settingsLastWhileOpen()
    {
        Workplace w;
        QStringList shown;
        const auto readBack = [&shown](CCardSetDlg& settings) {
            shown = {child<QLineEdit>(settings, "m_editTop")->text(), child<QLineEdit>(settings, "m_editTitle")->text()};
            click(settings, "m_btnCancel");
        };
        {
            CReaderCardPrintDlg dlg;
            whenShown<CCardSetDlg>([](CCardSetDlg& settings) {
                QCOMPARE(settings.windowTitle(), QStringLiteral("借书证设置"));
                QVERIFY(child<QLabel>(settings, "labelSampleName")->isVisibleTo(&settings));
                child<QLineEdit>(settings, "m_editTop")->setText(QStringLiteral("60"));
                child<QLineEdit>(settings, "m_editTitle")->setText(QStringLiteral("图书证"));
                QCOMPARE(child<QLabel>(settings, "m_labelSampleTitle")->text(), QStringLiteral("图书证"));
                click(settings, "m_btnOk");
            });
            click(dlg, "m_btnSetting");
            whenShown<CCardSetDlg>(readBack);
            click(dlg, "m_btnSetting");
            QCOMPARE(shown, QStringList({"60", "图书证"}));
        }
        CReaderCardPrintDlg again;
        whenShown<CCardSetDlg>(readBack);
        click(again, "m_btnSetting");
        QCOMPARE(shown, QStringList({"25", "借　阅　证"}));
        QVERIFY(w.seams.prompter.texts().isEmpty());
    }

    // A number that cannot be a barcode is named before printing; "No" prints nothing.
    void questionBeforePrinting()
    {
        PrintBench w;
        QVERIFY(addReaders({{"R001", "张三", "男", "学生", "初一"}, {"读001", "李四", "女", "学生", "初一"}}));
        w.seams.prompter.answers.enqueue(QMessageBox::No);
        CReaderCardPrintDlg dlg;
        addAllToPrintList(dlg);
        w.print(dlg, {{1, 1}});
        QCOMPARE(w.messages().size(), 1);
        QVERIFY(w.messages()[0].contains(QStringLiteral("读001")));
        QVERIFY(!w.messages()[0].contains(QStringLiteral("R001")));
        QVERIFY(w.printing.sink.files.isEmpty());
    }
};

QTEST_MAIN(TestReaderCard)
#include "test_readercard.moc"
