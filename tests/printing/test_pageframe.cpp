#include "PrintTestSupport.h"

#include "printing/BarcodeLabelPages.h"
#include "printing/FontSetup.h"
#include "printing/PagePreview.h"
#include "printing/PagePrinter.h"
#include "printing/PageSource.h"
#include "support/TestSupport.h"

#include <QPainter>
#include <QScrollBar>
#include <QtTest>

namespace {
// Pages that remember how they were drawn.
class RecordedPages : public PageSource {
public:
    RecordedPages(int count, QSize size = {kPageWidth, kPageHeight}) : m_nCount(count), m_size(size) {}
    int PageCount() const override { return m_nCount; }
    QSize PageSize() const override { return m_size; }
    void DrawPage(QPainter& painter, int page, double sx, double sy) const override
    {
        drawn << QStringLiteral("%1@%2x%3").arg(page).arg(sx).arg(sy);
        painter.fillRect(QRectF(0, 0, m_size.width() * sx, m_size.height() * sy), Qt::white);
    }
    mutable QStringList drawn;

private:
    int m_nCount;
    QSize m_size;
};

// A preview whose view is exactly width x height pixels.
void sizeView(PagePreview& preview, int width, int height)
{
    preview.show();
    preview.resize(width, height);
    preview.resize(2 * width - preview.viewport()->width(), 2 * height - preview.viewport()->height());
}

void wheel(PagePreview& preview, int delta)
{
    QWheelEvent event(QPointF(50, 50), preview.mapToGlobal(QPoint(50, 50)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(preview.viewport(), &event);
}
}

class TestPageFrame : public QObject {
    Q_OBJECT
private slots:
    // Fitted in a 400-pixel view, then full size after a click and fitted again after another.
    void clickSwitchesBetweenFittedAndFullSize()
    {
        PagePreview preview;
        sizeView(preview, 400, 500);
        QCOMPARE(preview.viewport()->width(), 400);
        QCOMPARE(preview.PageRect(), QRect(15, 15, 370, 523));
        QVERIFY(!preview.horizontalScrollBar()->isEnabled());
        QCOMPARE(preview.verticalScrollBar()->maximum(), 523 + 30 - 500);
        const QImage view = preview.viewport()->grab().toImage();
        QCOMPARE(view.pixelColor(5, 5), QColor(100, 100, 100));
        QCOMPARE(view.pixelColor(15, 15), QColor(Qt::white));
        // The shadow: a pixel left of the fitted page and 2 right of it.
        QCOMPARE(view.pixelColor(14, 200), QColor(Qt::black));
        QCOMPARE(view.pixelColor(386, 200), QColor(Qt::black));
        QCOMPARE(view.pixelColor(387, 200), QColor(100, 100, 100));
        wheel(preview, -120);
        QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(preview.ZoomMode(), 2);
        QCOMPARE(preview.PageRect(), QRect(15, 15, 991, 1403));
        QCOMPARE(preview.horizontalScrollBar()->maximum(), 991 + 30 - 400);
        QCOMPARE(preview.verticalScrollBar()->maximum(), 1403 + 30 - 500);
        preview.horizontalScrollBar()->setValue(100);
        QCOMPARE(preview.PageRect().topLeft(), QPoint(-85, 15));
        QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(preview.ZoomMode(), 1);
        QCOMPARE(preview.PageRect(), QRect(15, 15, 370, 523));
    }

    // 30 pixels a wheel message, whatever its delta, within the range.
    void wheelScrollsThirtyPixels_data()
    {
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<int>("offset");
        QTest::newRow("down 240") << QList<int>{-240} << 30;
        QTest::newRow("down twice") << QList<int>{-120, -15} << 60;
        QTest::newRow("up at the top") << QList<int>{120} << 0;
        QTest::newRow("down and up") << QList<int>{-240, 240} << 0;
        QTest::newRow("past the end") << QList<int>(6, -120) << 523 + 30 - 400;
    }

    void wheelScrollsThirtyPixels()
    {
        QFETCH(QList<int>, deltas);
        QFETCH(int, offset);
        PagePreview preview;
        sizeView(preview, 400, 400);
        for (int delta : deltas)
            wheel(preview, delta);
        QCOMPARE(preview.verticalScrollBar()->value(), offset);
        QCOMPARE(preview.PageRect().top(), 15 - offset);
    }

    // The spine page is shown full size where it fits, fitted where it does not.
    void spineViewRule_data()
    {
        QTest::addColumn<int>("viewWidth");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("fits, mode 1") << 900 << 1 << QSize(794, 1123);
        QTest::newRow("fits, mode 2") << 900 << 2 << QSize(870, 870 * 1123 / 794);
        QTest::newRow("wider, mode 1") << 400 << 1 << QSize(370, 370 * 1123 / 794);
        QTest::newRow("wider, mode 2") << 400 << 2 << QSize(794, 1123);
    }

    void spineViewRule()
    {
        QFETCH(int, viewWidth);
        QFETCH(int, zoom);
        QFETCH(QSize, shown);
        PagePreview preview;
        preview.SetViewRule(PagePreview::ViewRule::SpinePage);
        preview.SetPageSize({794, 1123});
        sizeView(preview, viewWidth, 500);
        preview.SetZoomMode(zoom);
        QCOMPARE(preview.PageRect(), QRect(QPoint(15, 15), shown));
        QCOMPARE(preview.verticalScrollBar()->maximum(), shown.height() + 30 - 500);
    }

    void initTestCase() { setUpFonts(); }

    // Each page of the range is a job "print" of its own, drawn at 5 device units a pixel.
    void printRanges_data()
    {
        QTest::addColumn<std::optional<PageRanges>>("answer");
        QTest::addColumn<QStringList>("drawn");
        QTest::addColumn<QString>("message");
        const QString illegal = QStringLiteral("打印范围非法！");
        QTest::newRow("all three") << std::optional<PageRanges>({{1, 3}}) << QStringList{"1@5x5", "2@5x5", "3@5x5"}
                                   << "";
        QTest::newRow("two and three") << std::optional<PageRanges>({{2, 3}}) << QStringList{"2@5x5", "3@5x5"} << "";
        QTest::newRow("one and three") << std::optional<PageRanges>({{1, 1}, {3, 3}}) << QStringList{"1@5x5", "3@5x5"}
                                       << "";
        QTest::newRow("from after to") << std::optional<PageRanges>({{3, 2}}) << QStringList() << illegal;
        QTest::newRow("past the last page") << std::optional<PageRanges>({{1, 1}, {2, 4}}) << QStringList() << illegal;
        QTest::newRow("cancelled") << std::optional<PageRanges>() << QStringList() << "";
    }

    void printRanges()
    {
        QFETCH(std::optional<PageRanges>, answer);
        QFETCH(QStringList, drawn);
        QFETCH(QString, message);
        ScriptedSeams seams;
        ScriptedPrinting printing;
        printing.chooser.answers.enqueue(answer);
        RecordedPages pages(3);
        PagePrinter::Print(nullptr, pages);
        QCOMPARE(printing.chooser.offered, QList<int>{3});
        QCOMPARE(pages.drawn, drawn);
        QCOMPARE(printing.sink.jobNames, QStringList(drawn.size(), QStringLiteral("print")));
        QCOMPARE(printing.sink.resolutions, QList<double>(drawn.size(), 600.0));
        QCOMPARE(seams.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    // Labels are drawn at the resolution the printer reports, each module whole dots of it:
    // the PDF printed at that resolution and read back at it scans as every code of the page.
    void codesScanAtThePrintersResolution_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("203 dpi label printer") << 203;
        QTest::newRow("300 dpi") << 300;
        QTest::newRow("600 dpi") << 600;
    }

    void codesScanAtThePrintersResolution()
    {
        QFETCH(int, dpi);
        Workplace w;
        ScriptedPrinting printing;
        printing.chooser.resolution = dpi;
        printing.chooser.answers.enqueue(PageRanges{{1, 1}});
        BarcodeLabelPages labels;
        labels.SetCodes(variedCodes(50));
        PagePrinter::Print(nullptr, labels);
        QCOMPARE(printing.sink.resolutions, QList<double>{double(dpi)});
        const QString image = rasterisePdf(printing.sink.files.value(0), w.folder.path() + "/scan.pgm", dpi);
        QStringList scanned = decodeBarcodes({image});
        scanned.sort();
        QStringList codes = labels.Codes();
        codes.sort();
        QCOMPARE(scanned, codes);
        QVERIFY(w.seams.prompter.texts().isEmpty());
    }

    void jobResolution_data()
    {
        QTest::addColumn<QList<int>>("reported");
        QTest::addColumn<int>("resolution");
        QTest::newRow("label printer") << QList<int>{203} << 203;
        QTest::newRow("laser") << QList<int>{1200, 600, 300} << 300;
        QTest::newRow("draft mode left out") << QList<int>{180, 360, 720} << 360;
        QTest::newRow("exactly 200") << QList<int>{400, 200} << 200;
        QTest::newRow("only low ones") << QList<int>{72, 150} << 150;
        QTest::newRow("none reported") << QList<int>{} << 600;
    }

    void jobResolution()
    {
        QFETCH(QList<int>, reported);
        QFETCH(int, resolution);
        QCOMPARE(DialogPrintChooser::JobResolution(reported), resolution);
    }

};

QTEST_MAIN(TestPageFrame)
#include "test_pageframe.moc"
