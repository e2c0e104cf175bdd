#include "PrintTestSupport.h"

#include "printing/BarcodeLabelPages.h"
#include "printing/BarcodePainter.h"
#include "printing/CardPage.h"
#include "printing/Code128.h"
#include "printing/CodeRun.h"
#include "printing/FontSetup.h"
#include "printing/PagePrinter.h"
#include "printing/ReaderCardPages.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QtTest>

namespace {
// The print dialog of a machine without printers, proposing its PDF file in a folder of the
// test's own.
class NoPrinterChooser : public DialogPrintChooser {
public:
    explicit NoPrinterChooser(QString folder) : m_strFolder(std::move(folder)) {}

protected:
    bool PrintersInstalled() const override { return false; }
    QString PdfFolder() const override { return m_strFolder; }

private:
    QString m_strFolder;
};

// Sends jobs to the printer and notes the resolution each was drawn at.
class RecordingSink : public PrinterPageSink {
public:
    bool PrintJob(QPrinter& printer, const QString& jobName, const std::function<void(QPainter&)>& draw) override
    {
        return PrinterPageSink::PrintJob(printer, jobName, [&](QPainter& painter) {
            resolutions << painter.device()->logicalDpiX();
            draw(painter);
        });
    }
    QList<int> resolutions;
};

// Prints all pages from a window titled name through the print dialog of a machine without
// printers, into the PDF file it proposes; the file's path.
QString printToPdf(const PageSource& pages, const QString& folder, const QString& name)
{
    NoPrinterChooser chooser(folder);
    PrintChooser::install(&chooser);
    QWidget window;
    window.setWindowTitle(name);
    whenShown<QPrintDialog>([](QPrintDialog& dialog) { dialog.accept(); });
    PagePrinter::Print(&window, pages);
    PrintChooser::install(nullptr);
    return folder + QLatin1Char('/') + name + QStringLiteral(".pdf");
}

// Five rows of labels, custom codes and book numbers of 1 to 9 characters, and a page of
// five reader cards, each printed into a PDF file as a machine without printers does.
struct PdfSamples {
    explicit PdfSamples(const QString& folder);

    BarcodeLabelPages labels;
    std::vector<CardReaderInfo> readers;
    ReaderCardPages cards{readers};
    QString labelFile, cardFile;
    int labelsBottom;  // page pixels below the last label row
    int cardsRight;    // page pixels right of the cards' fronts
};

PdfSamples::PdfSamples(const QString& folder)
{
    QStringList codes = CodeRun::Make(QStringLiteral("QX0000001"), QStringLiteral("7")).codes;
    const QString characters = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-./");
    for (quint32 seed = 1; codes.size() < 25;) {
        QString number;
        while (number.size() <= codes.size() % 9) {
            seed = seed * 1103515245 + 12345;
            number += characters[(seed >> 16) % characters.size()];
        }
        if (!codes.contains(number))
            codes << number;
    }
    labels.SetCodes(codes);
    for (const char* number : {"R001", "2023015", "TS10023", "98765", "JS-12"})
        readers.push_back(CardReaderInfo::FromTexts({number, "张三", "男", "学生", "初一(1)班"}));
    labelFile = printToPdf(labels, folder, QStringLiteral("labels"));
    cardFile = printToPdf(cards, folder, QStringLiteral("cards"));
    labelsBottom = labels.Grid().Cell(codes.size() - 1)->bottom() + 10;
    cardsRight = cards.Geometry().left + CardPage::kCardWidth + 10;
}

// The page pixel row through the middle of the bars of a label.
int barsMiddle(const QRect& cell) { return cell.y() + CBarcodePainter::kBarTop + CBarcodePainter::kBarHeight / 2; }

// The widths of the bars and spaces of row y between its first and last dark pixel in
// [from, to).
QList<int> inkRuns(const QImage& image, int y, int from, int to)
{
    const QList<int> dark = darkColumns(image, y, from, to);
    QList<int> runs;
    for (qsizetype i = 1, start = 0; i <= dark.size(); ++i) {
        if (i < dark.size() && dark[i] == dark[i - 1] + 1)
            continue;
        if (start > 0)
            runs << dark[start] - dark[start - 1] - 1;  // the space before this bar
        runs << dark[i - 1] - dark[start] + 1;
        start = i;
    }
    return runs;
}
}

// What the print command writes into a PDF file, where the PDF goes when no printer is
// installed.
class TestPdfFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    // Without a printer the print dialog opens on a PDF file named after the window; the
    // pages chosen all go into that file as one job at the file's resolution, which scans as
    // the labels.
    void noPrinterPrintsToPdf()
    {
        Workplace w;
        NoPrinterChooser chooser(w.folder.path());
        PrintChooser::install(&chooser);
        RecordingSink sink;
        PageSink::install(&sink);
        QWidget window;
        window.setWindowTitle(QStringLiteral("图书条码打印"));
        BarcodeLabelPages labels;
        labels.SetCodes(variedCodes(60));
        QString proposed;
        whenShown<QPrintDialog>([&](QPrintDialog& dialog) {
            proposed = dialog.printer()->outputFileName();
            dialog.accept();
        });
        PagePrinter::Print(&window, labels);
        PrintChooser::install(nullptr);
        PageSink::install(nullptr);
        QCOMPARE(sink.resolutions, QList<int>{DialogPrintChooser::kFileResolution});
        const QString file = w.folder.path() + QStringLiteral("/图书条码打印.pdf");
        QCOMPARE(proposed, file);
        QVERIFY(w.seams.prompter.texts().isEmpty());
        QCOMPARE(pdfPageCount(file), 2);
        QStringList scanned = decodeBarcodes({rasterisePdf(file, w.folder.path() + "/scan.pgm")});
        scanned.sort();
        QStringList first = labels.CodesOfPage(1);
        first.sort();
        QCOMPARE(scanned, first);
    }

    // Printed into a PDF file, the first label stands in a cell of 150 page pixels at the
    // label's corner, whatever the label's width: the title centred in it, the bars' top
    // kBarTop below the label's and their left edge where a symbol of one-pixel modules is
    // centred in the cell. Modules of whole 203-dpi dots make the symbol wider to the right,
    // so a 10-character number at the paper's edge stays on its label and scans.
    void pdfLabelsStandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<double>("margin");
        QTest::newRow("7 characters") << "TS15838" << 7.5;
        QTest::newRow("10 characters at the paper's edge") << "1234567890" << 0.0;
    }

    void pdfLabelsStandWhereTheLayoutPutsThem()
    {
        QFETCH(QString, code);
        QFETCH(double, margin);
        Workplace w;
        LayoutRecord layout = LayoutRecord::Defaults();
        layout.SetTopMargin(margin * 5 / 3);
        layout.SetLeftMargin(margin);
        BarcodeLabelPages labels(layout);
        labels.SetCodes({code});
        constexpr int dpi = 600;
        constexpr double dotsPerPixel = dpi / 120.0;
        constexpr double mmPerPixel = 25.4 / 120;
        const QRect cell = *labels.Grid().Cell(0);
        const QString corner = QString::number(std::lround((cell.right() + 1) * dotsPerPixel));
        const QString pdf = printToPdf(labels, w.folder.path(), QStringLiteral("labels"));
        const QImage page(rasterisePdf(pdf, w.folder.path() + "/corner.pgm", dpi, {"-W", corner, "-H", corner}));
        QVERIFY(!page.isNull());
        const int y = std::lround(barsMiddle(cell) * dotsPerPixel);
        const QList<int> bars = darkColumns(page, y);
        QVERIFY(!bars.isEmpty());
        int top = y;
        while (top > 0 && qGray(page.pixel(bars.first(), top - 1)) < 128)
            --top;
        const QPointF measured(bars.first() * 25.4 / dpi, top * 25.4 / dpi);
        const int symbolLeft = cell.x() + (CBarcodePainter::kCellWidth - CCode128::GetWidthB(code, 1)) / 2;
        const QPointF expected(symbolLeft * mmPerPixel, (cell.y() + CBarcodePainter::kBarTop) * mmPerPixel);
        const QPointF offset = measured - expected;
        QVERIFY2(std::abs(offset.x()) <= 0.2 && std::abs(offset.y()) <= 0.2,
                 qPrintable(QStringLiteral("off by %1 mm right and %2 mm down").arg(offset.x()).arg(offset.y())));
        QVERIFY(bars.last() < std::lround((cell.right() + 1) * dotsPerPixel));
        const QList<PdfWord> words = pdfWords(pdf);
        QVERIFY(!words.isEmpty());
        QCOMPARE(words.first().text, QStringLiteral("学校图书馆"));
        const double captionCentre = (cell.x() + CBarcodePainter::kCellWidth / 2.0) * mmPerPixel;
        QVERIFY2(std::abs(words.first().mm.center().x() - captionCentre) <= 0.3,
                 qPrintable(QString::number(words.first().mm.center().x() - captionCentre)));
        QCOMPARE(decodeBarcodes({rasterisePdf(pdf, w.folder.path() + "/scan.pgm", 203, {"-W", "320", "-H", "320"})}),
                 QStringList{code});
    }

    // A label PDF may be printed later on any printer, the coarsest a 203-dpi label printer:
    // rasterised at its resolution and at 300 and 600 dpi, every code of a label page (custom
    // codes and book numbers of 1 to 9 characters) and of a reader card page scans.
    void pdfCodesScanAtEveryResolution_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("203 dpi label printer") << 203;
        QTest::newRow("300 dpi") << 300;
        QTest::newRow("600 dpi") << 600;
    }

    void pdfCodesScanAtEveryResolution()
    {
        QFETCH(int, dpi);
        Workplace w;
        const PdfSamples pdf(w.folder.path());
        const QString labelRows = QString::number(std::lround(pdf.labelsBottom * dpi / 120.0));
        const QString cardColumn = QString::number(std::lround(pdf.cardsRight * dpi / 120.0));
        QStringList scanned = decodeBarcodes(
            {rasterisePdf(pdf.labelFile, w.folder.path() + "/labels.pgm", dpi, {"-H", labelRows}),
             rasterisePdf(pdf.cardFile, w.folder.path() + "/cards.pgm", dpi, {"-W", cardColumn})});
        scanned.sort();
        QStringList codes = pdf.labels.Codes() + pdf.cards.PrintedNumbers();
        codes.sort();
        QCOMPARE(scanned, codes);
    }

    // Each bar and space of a PDF's labels is whole modules of 2 dots at 203 dpi, also where
    // the printer rounds every dot to black or white.
    void pdfModulesAreWhole203DpiDots()
    {
        Workplace w;
        const PdfSamples pdf(w.folder.path());
        const QString dots = rasterisePdf(pdf.labelFile, w.folder.path() + "/dots.pgm", 203, {"-aaVector", "no"});
        const QImage page(dots);
        QVERIFY(!page.isNull());
        constexpr double dotsPerPixel = 203 / 120.0;
        for (int i = 0; i < pdf.labels.Codes().size(); ++i) {
            const QRect cell = *pdf.labels.Grid().Cell(i);
            const int y = std::lround(barsMiddle(cell) * dotsPerPixel);
            const QList<int> runs = inkRuns(page, y, std::lround(cell.x() * dotsPerPixel),
                                            std::lround((cell.right() + 1) * dotsPerPixel));
            QVERIFY(!runs.isEmpty());
            for (int run : runs)
                QVERIFY2(run % 2 == 0, qPrintable(QStringLiteral("%1 dots in label %2").arg(run).arg(i + 1)));
        }
    }
};

QTEST_MAIN(TestPdfFile)
#include "test_pdffile.moc"
