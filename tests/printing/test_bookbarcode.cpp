#include "PrintTestSupport.h"

#include "controls/ReportListCtrl.h"
#include "printing/BarcodeLabelPages.h"
#include "printing/BarcodeLayoutFile.h"
#include "printing/BarcodePainter.h"
#include "printing/BarcodeSetDlg.h"
#include "printing/BookBarcodePrintDlg.h"
#include "printing/BookLabelPrintDlg.h"
#include "printing/Code128.h"
#include "printing/FontSetup.h"
#include "printing/PagePreview.h"
#include "printing/PrintCheck.h"
#include "printing/ReaderCardPrintDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

namespace {
constexpr double kToleranceMm = 0.3;

QString number(int n, int length = 5) { return QStringLiteral("B%1").arg(n, length - 1, 10, QLatin1Char('0')); }

QStringList numbers(int from, int to, int length = 5)
{
    QStringList found;
    for (int n = from; n <= to; ++n)
        found << number(n, length);
    return found;
}

// Books B0001 on (numbers of `length` characters), classed I247 and entered in April 2017.
QList<QStringList> books(int count, int length = 5)
{
    QList<QStringList> rows;
    for (int n = 1; n <= count; ++n)
        rows << QStringList{number(n, length), QStringLiteral("I247"), QStringLiteral("文学"), QStringLiteral("1"),
                            QStringLiteral("书%1").arg(n), QStringLiteral("A架"), QStringLiteral("2017-04-11")};
    return rows;
}

int runs(const QList<int>& dark)
{
    int count = 0;
    for (int i = 0; i < dark.size(); ++i)
        count += i == 0 || dark[i] != dark[i - 1] + 1;
    return count;
}

// The top row of the bars inside a raster area and the middle of the bars, in raster pixels:
// the first row with many bars that is the same 30 rows further down (text is not).
std::optional<QPointF> bars(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y + 30 <= area.bottom(); ++y) {
        const QList<int> dark = darkColumns(image, y, area.left(), area.right());
        if (runs(dark) >= 20 && dark == darkColumns(image, y + 30, area.left(), area.right()))
            return QPointF((dark.first() + dark.last() + 1) / 2.0, y);
    }
    return std::nullopt;
}

// The columns [from, to) of a page alone on white, with room round them, saved as a file.
QString columnsAlone(const QImage& page, int from, int to, const QString& file)
{
    QImage alone(to - from + 100, page.height(), QImage::Format_Grayscale8);
    alone.fill(Qt::white);
    QPainter(&alone).drawImage(50, 0, page, from, 0, to - from, page.height());
    return alone.save(file) ? file : QString();
}

// The three two-list print windows: 0 book numbers, 1 spine labels, 2 reader cards.
std::unique_ptr<QDialog> twoListWindow(int window)
{
    if (window == 0)
        return std::make_unique<CBookBarcodePrintDlg>();
    if (window == 1)
        return std::make_unique<CBookLabelPrintDlg>();
    return std::make_unique<CReaderCardPrintDlg>();
}
}

class TestBookBarcode : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    // 图书编号 equal, 分类号 as a prefix, 入库时间 containing the text; quotes, % and _ literal.
    void searches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("all, by number") << "(全部)" << QStringList{"B0001", "B0002", "B0003", "B0010", "B0011", "O'1"};
        QTest::newRow("number") << "B0003" << QStringList{"B0003"};
        QTest::newRow("number is no prefix") << "B000" << QStringList();
        QTest::newRow("class prefix") << "I24" << QStringList{"B0001", "B0002"};
        QTest::newRow("class not inside") << "247" << QStringList();
        QTest::newRow("date inside") << "04-1" << QStringList{"B0001"};
        QTest::newRow("month") << "2017-04" << QStringList{"B0001", "B0002"};
        QTest::newRow("percent") << "I2%" << QStringList{"B0010"};
        QTest::newRow("underscore") << "I_" << QStringList{"B0011"};
        QTest::newRow("quote") << "O'1" << QStringList{"O'1"};
    }

    void searches()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        Workplace w;
        QVERIFY(addBooks({{"B0002", "I247.57", "", "1", "", "", "2017-04-20"},
                          {"B0001", "I247.5", "", "1", "", "", "2017-04-11"},
                          {"B0003", "TP311", "", "1", "", "", "2016-09-01"},
                          {"B0010", "I2%4", "", "1", "", "", "2015-01-01"},
                          {"B0011", "I_47", "", "1", "", "", "2015-01-01"},
                          {"O'1", "K", "", "1", "", "", "2015-01-01"}}));
        CBookBarcodePrintDlg dlg;
        searchFor(&dlg, text);
        QCOMPARE(listColumn(dlg, "m_listCandidates", 0), found);
        QCOMPARE(w.seams.prompter.texts(),
                 found.isEmpty() ? QStringList{QStringLiteral("没有找到相关信息的图书!")} : QStringList());
    }

    // A search without hits empties the candidate list and leaves the page selector as it
    // was; its pages are then empty, and adding the whole result adds nothing.
    void searchWithoutHitsKeepsThePages()
    {
        Workplace w;
        QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::BookNumbers)));
        QVERIFY(addBooks(books(101)));
        CBookBarcodePrintDlg dlg;
        searchFor(&dlg, QStringLiteral("(全部)"));
        auto* pages = child<QComboBox>(dlg, "m_comboCandidatePage");
        QCOMPARE(pages->count(), 3);
        searchFor(&dlg, QStringLiteral("ZZZ"));
        QCOMPARE(w.seams.prompter.texts(), QStringList{QStringLiteral("没有找到相关信息的图书!")});
        QVERIFY(listColumn(dlg, "m_listCandidates", 0).isEmpty());
        QCOMPARE(pages->count(), 3);
        click(dlg, "m_btnCandidateNext");
        QVERIFY(listColumn(dlg, "m_listCandidates", 0).isEmpty());
        QCOMPARE(pages->currentText(), QStringLiteral("2"));
        child<QCheckBox>(dlg, "m_checkAllResults")->click();
        click(dlg, "m_btnAdd");
        QVERIFY(listColumn(dlg, "m_listPrint", 0).isEmpty());
        QCOMPARE(w.seams.prompter.texts().size(), 1);
    }

    // 101 books are pages of 50, 50 and 1 in both lists; without txm.dat the window says so
    // and lays out the default labels.
    void pagesOfFifty()
    {
        Workplace w;
        QVERIFY(addBooks(books(101)));
        CBookBarcodePrintDlg dlg;
        dlg.show();
        QCoreApplication::processEvents();
        QCOMPARE(w.seams.prompter.texts(), QStringList{BarcodeLayoutFile::UnreadableText()});
        click(dlg, "m_btnPrintNext");  // nothing before the print list was first shown
        QCOMPARE(w.seams.prompter.texts().size(), 1);
        addAllToPrintList(dlg);
        QCOMPARE(child<QComboBox>(dlg, "m_comboCandidatePage")->count(), 3);
        QCOMPARE(child<QComboBox>(dlg, "m_comboPrintPage")->count(), 3);
        QCOMPARE(pageText(dlg), QStringLiteral("1/3页"));
        QCOMPARE(listColumn(dlg, "m_listPrint", 0), numbers(1, 50));
        QVERIFY(!child<QCheckBox>(dlg, "m_checkAllResults")->isChecked());
        child<QComboBox>(dlg, "m_comboPrintPage")->activated(2);
        QCOMPARE(pageText(dlg), QStringLiteral("3/3页"));
        QCOMPARE(listColumn(dlg, "m_listPrint", 0), numbers(101, 101));
        click(dlg, "m_btnPrintNext");
        QCOMPARE(w.seams.prompter.lastText(), QStringLiteral("已是最后一页！"));
    }

    // The ticked first row of print page 2 is item 51, also after sorting the page.
    void removingOnPageTwo_data()
    {
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QString>("removed");
        QTest::newRow("as added") << false << "B0051";
        QTest::newRow("sorted down by number") << true << "B0100";
    }

    void removingOnPageTwo()
    {
        QFETCH(bool, sorted);
        QFETCH(QString, removed);
        Workplace w;
        QVERIFY(addBooks(books(101)));
        CBookBarcodePrintDlg dlg;
        addAllToPrintList(dlg);
        click(dlg, "m_btnPrintNext");
        auto* list = child<CReportListCtrl>(dlg, "m_listPrint");
        if (sorted)
            list->SortColumn(0, false);
        list->SetCheck(0, true);
        click(dlg, "m_btnRemove");
        QStringList left = numbers(1, 101);
        left.removeOne(removed);
        QCOMPARE(pageText(dlg), QStringLiteral("1/2页"));
        QCOMPARE(listColumn(dlg, "m_listPrint", 0), left.mid(0, 50));
        click(dlg, "m_btnPrintNext");
        QCOMPARE(listColumn(dlg, "m_listPrint", 0), left.mid(50, 50));
        // Every column of the rows left stays with its book.
        QCOMPARE(listColumn(dlg, "m_listPrint", 4).first(), QStringLiteral("书%1").arg(left[50].mid(1).toInt()));
    }

    // Marked rows enter the print list from the last one up; the marks are cleared.
    void addingTakesMarkedRowsFromTheBottom()
    {
        Workplace w;
        QVERIFY(addBooks(books(8)));
        CBookBarcodePrintDlg dlg;
        searchFor(&dlg, QStringLiteral("(全部)"));
        auto* candidates = child<CReportListCtrl>(dlg, "m_listCandidates");
        candidates->SetCheck(1, true);
        candidates->SetSelected(4, true);
        click(dlg, "m_btnAdd");
        QCOMPARE(listColumn(dlg, "m_listPrint", 0), QStringList({"B0005", "B0002"}));
        QVERIFY(candidates->GetCheckedRows().isEmpty());
        child<QCheckBox>(dlg, "m_checkAllPrint")->click();
        QVERIFY(child<CReportListCtrl>(dlg, "m_listPrint")->GetCheck(1));
        click(dlg, "m_btnRemove");
        QVERIFY(listColumn(dlg, "m_listPrint", 0).isEmpty());
        QCOMPARE(pageText(dlg), QStringLiteral("1/1页"));
    }

    // After "确定" with 10 labels a page, 60 books are 6 pages at once, the pages shown stay,
    // and all 6 print, each page scanning as its own 10 numbers.
    void settingsRecountThePages()
    {
        PrintBench w;
        QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::BookNumbers)));
        QVERIFY(addBooks(books(60)));
        CBookBarcodePrintDlg dlg;
        addAllToPrintList(dlg);
        click(dlg, "m_btnPrintNext");
        click(dlg, "m_btnCandidateNext");
        whenShown<CBarcodeSetDlg>([](CBarcodeSetDlg& settings) {
            child<QLineEdit>(settings, "m_editRows")->setText(QStringLiteral("2"));
            click(settings, "m_btnOk");
        });
        click(dlg, "m_btnSetting");
        QCOMPARE(pageText(dlg), QStringLiteral("2/6页"));
        QCOMPARE(listColumn(dlg, "m_listPrint", 0), numbers(11, 20));
        QCOMPARE(listColumn(dlg, "m_listCandidates", 0), numbers(11, 20));
        QCOMPARE(child<QComboBox>(dlg, "m_comboCandidatePage")->count(), 6);
        w.print(dlg, {{1, 6}});
        QCOMPARE(w.printing.chooser.offered, QList<int>{6});
        QList<QStringList> pages;
        for (int page = 0; page < 6; ++page)
            pages << numbers(page * 10 + 1, page * 10 + 10);
        QCOMPARE(w.scannedPages(), pages);
        QVERIFY(w.messages().isEmpty());
    }

    // Page 1 of the default layout on paper: 50 symbols, each with its bars 45 page pixels
    // (9.525 mm) below its label's top and centred in the 150 pixels (31.75 mm) from the
    // label's left edge, as the layout's millimetres say; they scan as exactly the page's
    // 50 numbers.
    void printedLabelsStandWhereTheLayoutSays()
    {
        PrintBench w;
        QVERIFY(addBooks(books(60)));
        CBookBarcodePrintDlg dlg;
        addAllToPrintList(dlg);
        w.print(dlg, {{1, 1}});
        const QImage image = rasterisedPage(w.printing.sink.files[0], w.folder.path());
        QVERIFY(!image.isNull());
        const LayoutRecord layout = LayoutRecord::Defaults();
        for (int i = 0; i < 50; ++i) {
            const double left = (i % 5) * (layout.LabelWidth() + layout.ColumnGap());
            const double top = (i / 5) * (layout.LabelHeight() + layout.RowGap());
            const QRect area(QPoint(std::lround(left * kRasterDotsPerMm), std::lround(top * kRasterDotsPerMm)),
                             QSize(std::lround(layout.LabelWidth() * kRasterDotsPerMm),
                                   std::lround(layout.LabelHeight() * kRasterDotsPerMm)));
            const std::optional<QPointF> found = bars(image, area);
            QVERIFY2(found, qPrintable(QString::number(i)));
            const QPointF mm = *found / kRasterDotsPerMm;
            QVERIFY2(std::abs(mm.y() - (top + 45 * 25.4 / 120)) <= kToleranceMm, qPrintable(QString::number(i)));
            QVERIFY2(std::abs(mm.x() - (left + CBarcodePainter::kCellWidth / 2.0 * 25.4 / 120)) <= kToleranceMm,
                     qPrintable(QString::number(i)));
        }
        QStringList found = decodeBarcodes({w.folder.path() + QStringLiteral("/raster.pgm")});
        found.sort();
        QCOMPARE(found, numbers(1, 50));
    }

    // A number of 11 to 14 characters makes a symbol wider than the cell: it starts at its
    // label's left edge, in the first column at the paper's, and runs whole to the right,
    // reading as its number when lifted off the page. The labels are too close for such
    // symbols (14 characters leave half a quiet zone between them), so printing asks first.
    void longNumbersStartAtTheirLabel_data()
    {
        QTest::addColumn<int>("length");
        for (int length = 11; length <= 14; ++length)
            QTest::addRow("%d characters", length) << length;
    }

    void longNumbersStartAtTheirLabel()
    {
        QFETCH(int, length);
        PrintBench w;
        QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::BookNumbers)));
        QVERIFY(addBooks(books(5, length)));
        const QStringList codes = numbers(1, 5, length);
        w.seams.prompter.answers.enqueue(QMessageBox::Yes);
        CBookBarcodePrintDlg dlg;
        addAllToPrintList(dlg);
        w.print(dlg, {{1, 1}});  // at 600 dpi: a module is a page pixel
        QCOMPARE(w.messages(), QStringList{PrintCheck::Question(codes, 194)});  // 41 mm from label to label
        const QImage image = rasterisedPage(w.printing.sink.files.value(0), w.folder.path());
        QVERIFY(!image.isNull());
        constexpr double rasterPerPagePixel = 300 / 120.0;
        const double width = CCode128::GetWidthB(codes[0], 1) * rasterPerPagePixel;
        const int y = std::lround((CBarcodePainter::kBarTop + 20) * rasterPerPagePixel);
        const LayoutRecord layout = LayoutRecord::Defaults();
        QStringList symbols;
        for (int i = 0; i < 5; ++i) {
            const double left = i * (layout.LabelWidth() + layout.ColumnGap()) * kRasterDotsPerMm;
            const QList<int> bars = darkColumns(image, y, std::max(0, int(left) - 5), int(left + width) + 5);
            QVERIFY(!bars.isEmpty());
            QVERIFY2(std::abs(bars.first() - left) <= 2 && std::abs(bars.last() + 1 - (left + width)) <= 2,
                     qPrintable(QStringLiteral("label %1: bars from %2 to %3, not %4 to %5")
                                    .arg(i).arg(bars.first()).arg(bars.last() + 1).arg(left).arg(left + width)));
            const QString file = w.folder.path() + QStringLiteral("/%1.png").arg(i);
            symbols << columnsAlone(image, bars.first(), bars.last() + 1, file);
        }
        QCOMPARE(decodeBarcodes(symbols), codes);
    }

    // Paging the print list leaves the preview on the page it shows until "预览"; adding
    // shows page 1 at once.
    void previewWaitsForPreviewAfterPrintPaging()
    {
        Workplace w;
        QVERIFY(addBooks(books(60)));
        CBookBarcodePrintDlg dlg;
        const QImage& page = child<PagePreview>(dlg, "m_preview")->PageSurface();
        QVERIFY(!inked(page, QRect(0, 0, 991, 1403)));
        addAllToPrintList(dlg);
        const QRect thirdRow(0, 266, 964, 128);
        QVERIFY(inked(page, thirdRow));
        click(dlg, "m_btnPrintNext");
        QCOMPARE(pageText(dlg), QStringLiteral("2/2页"));
        QVERIFY(inked(page, thirdRow));
        click(dlg, "m_btnPreview");
        QVERIFY(inked(page, QRect(0, 133, 964, 128)));
        QVERIFY(!inked(page, thirdRow));
    }

    // A double click on the window, off the preview, zooms the preview as a click on it does.
    void doubleClickAnywhereZooms()
    {
        Workplace w;
        CBookBarcodePrintDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QPoint bare;
        for (int y = 5; y < dlg.height() && bare.isNull(); y += 5)
            for (int x = 5; x < dlg.width() && bare.isNull(); x += 5)
                if (!dlg.childAt(x, y))
                    bare = QPoint(x, y);
        QVERIFY(!bare.isNull());
        auto* preview = child<PagePreview>(dlg, "m_preview");
        QTest::mouseDClick(&dlg, Qt::LeftButton, {}, bare);
        QCOMPARE(preview->ZoomMode(), 2);
        QTest::mouseDClick(&dlg, Qt::LeftButton, {}, bare);
        QCOMPARE(preview->ZoomMode(), 1);
    }

    // An empty number leaves its cell blank; the numbers after it keep their cells.
    void emptyNumberLeavesItsCellBlank()
    {
        BarcodeLabelPages labels;
        labels.SetCodes({QStringLiteral("B0001"), QString(), QStringLiteral("B0003")});
        const QImage page = renderPage(labels, 1, 1);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(inked(page, *labels.Grid().Cell(i)), i != 1);
    }

    // Each label is drawn in a cell of 150 x 120 pixels at its corner, whatever its width: a
    // 10-character number's 145-pixel symbol starts 2 pixels into the cell and the title is
    // centred on the cell.
    void labelsKeepTheirCell_data()
    {
        QTest::addColumn<int>("labelWidth");
        QTest::newRow("25 mm") << 25;
        QTest::newRow("40 mm") << 40;
        QTest::newRow("60 mm") << 60;
    }

    void labelsKeepTheirCell()
    {
        QFETCH(int, labelWidth);
        LayoutRecord layout = LayoutRecord::Defaults();
        layout.SetLabelWidth(labelWidth);
        layout.SetLeftMargin(10);
        BarcodeLabelPages labels(layout);
        labels.SetCodes({QStringLiteral("1234567890")});
        const QImage page = renderPage(labels, 1, 1);
        const QRect cell = *labels.Grid().Cell(0);
        const QList<int> bars = darkColumns(page, cell.y() + CBarcodePainter::kBarTop + 20);
        QCOMPARE(bars.first(), cell.x() + 2);
        QCOMPARE(bars.last(), cell.x() + 146);
        QList<int> title;
        for (int y = cell.y() + 2; y < cell.y() + CBarcodePainter::kBarTop; ++y)
            title += darkColumns(page, y);
        QVERIFY(!title.isEmpty());
        const auto [first, last] = std::minmax_element(title.cbegin(), title.cend());
        QVERIFY2(std::abs((*first + *last + 1) / 2.0 - (cell.x() + 75)) <= 2, qPrintable(QString::number(*first)));
    }

    void buttonIcons()
    {
        Workplace w;
        CBookBarcodePrintDlg dlg;
        const QList<std::pair<QString, int>> icons = {{"m_btnSearch", 265}, {"m_btnAdd", 283},
                                                      {"m_btnRemove", 284}, {"m_btnPreview", 266},
                                                      {"m_btnPrint", 267},  {"m_btnSetting", 135},
                                                      {"m_btnCancel", 215}};
        for (const auto& [button, id] : icons)
            QVERIFY2(showsIcon(dlg, button, id), qPrintable(button));
    }

    // A number that cannot be a barcode is named before printing; "No" prints nothing.
    void printingAsksFirst()
    {
        PrintBench w;
        QVERIFY(addBooks({{"图书001", "I", "", "1", "", "", ""}}));
        w.seams.prompter.answers.enqueue(QMessageBox::No);
        CBookBarcodePrintDlg dlg;
        addAllToPrintList(dlg);
        w.print(dlg, {{1, 1}});
        QCOMPARE(w.messages().size(), 1);
        QVERIFY(w.messages()[0].startsWith(QStringLiteral("以下编号不能编成条码")));
        QVERIFY(w.printing.sink.files.isEmpty());
    }

    // Enter in the search text searches only in the spine label window; elsewhere it moves on
    // like Tab. No window closes.
    void enterInTheSearchText_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("searches");
        QTest::newRow("book numbers") << 0 << false;
        QTest::newRow("spine labels") << 1 << true;
        QTest::newRow("reader cards") << 2 << false;
    }

    void enterInTheSearchText()
    {
        QFETCH(int, window);
        QFETCH(bool, searches);
        Workplace w;
        QVERIFY(addBooks(books(3)));
        QVERIFY(addReaders({{"R001", "张三", "男", "学生", "初一(1)班"}}));
        QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::BookNumbers)));
        const std::unique_ptr<QDialog> dlg = twoListWindow(window);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        auto* edit = child<QLineEdit>(*dlg, "m_editSearch");
        edit->setFocus();
        edit->setText(QStringLiteral("(全部)"));
        QCOMPARE(windowsOpenedByEnter(edit), QStringList());
        QCOMPARE(listColumn(*dlg, "m_listCandidates", 0).isEmpty(), !searches);
        QCOMPARE(edit->hasFocus(), searches);
        QVERIFY(dlg->isVisible());
        QVERIFY(w.seams.prompter.texts().isEmpty());
    }

    // The add and remove buttons show their icons alone; only the spine label and reader card
    // windows explain them in a tip. The select-all boxes carry no caption and no tip.
    void addAndRemoveButtons_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QStringList>("tips");
        QTest::newRow("book numbers") << 0 << QStringList{"", ""};
        QTest::newRow("spine labels") << 1 << QStringList{"将选定记录添加到打印窗口", "清除选定记录"};
        QTest::newRow("reader cards") << 2 << QStringList{"将选定记录添加到打印窗口", "清除选定记录"};
    }

    void addAndRemoveButtons()
    {
        QFETCH(int, window);
        QFETCH(QStringList, tips);
        Workplace w;
        const std::unique_ptr<QDialog> dlg = twoListWindow(window);
        const QList<std::pair<QString, int>> buttons = {{"m_btnAdd", 283}, {"m_btnRemove", 284}};
        for (int i = 0; i < 2; ++i) {
            const QString& name = buttons[i].first;
            QVERIFY2(showsIcon(*dlg, name, buttons[i].second), qPrintable(name));
            QCOMPARE(child<QPushButton>(*dlg, name)->text(), QString());
            QCOMPARE(child<QPushButton>(*dlg, name)->toolTip(), tips[i]);
        }
        for (const char* box : {"m_checkAllResults", "m_checkAllPrint"}) {
            QCOMPARE(child<QCheckBox>(*dlg, box)->text(), QString());
            QCOMPARE(child<QCheckBox>(*dlg, box)->toolTip(), QString());
        }
    }

    // With nothing in the print list the print dialog offers its one page: blank labels, or
    // cards with nothing but their cut lines.
    void emptyPrintListPrintsOnePage_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("inked");
        QTest::newRow("book numbers") << 0 << false;
        QTest::newRow("spine labels") << 1 << false;
        QTest::newRow("reader cards") << 2 << true;
    }

    void emptyPrintListPrintsOnePage()
    {
        QFETCH(int, window);
        QFETCH(bool, inked);
        PrintBench w;
        QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(BarcodeLayoutFile::BookNumbers)));
        const std::unique_ptr<QDialog> dlg = twoListWindow(window);
        w.printsOnePage(*dlg, inked);
    }
};

QTEST_MAIN(TestBookBarcode)
#include "test_bookbarcode.moc"
