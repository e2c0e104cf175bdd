#include "PrintTestSupport.h"

#include "db/AdoRecordset.h"
#include "db/AppState.h"
#include "printing/BookLabelPainter.h"
#include "printing/BookLabelPrintDlg.h"
#include "printing/BookLabelStubDlg.h"
#include "printing/FontSetup.h"
#include "printing/LabelSettingDlg.h"
#include "printing/PagePreview.h"
#include "printing/PrintSearch.h"
#include "printing/SpineLabelPages.h"
#include "printing/SpineLabelStyle.h"
#include "printing/SpineLayout.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

namespace {
using Lines = SpineLabelStyle::Lines;

BookItem book(const QString& classNo, const QString& title)
{
    return {QStringLiteral("B0001"), classNo, QStringLiteral("文学"), QStringLiteral("3"), title,
            QStringLiteral("A架"), QStringLiteral("2017-04-11")};
}

QString number(int n) { return QStringLiteral("B%1").arg(n, 4, 10, QLatin1Char('0')); }
QString classNo(int n) { return QStringLiteral("K8%1").arg(n, 2, 10, QLatin1Char('0')); }

// Books B0001 on with class numbers K801 on.
QList<QStringList> books(int count)
{
    QList<QStringList> rows;
    for (int n = 1; n <= count; ++n)
        rows << QStringList{number(n), classNo(n), QStringLiteral("历史"), QStringLiteral("1"),
                            QStringLiteral("书%1").arg(n), QStringLiteral("A架"), QStringLiteral("2017-04-11")};
    return rows;
}

bool writeLayout(const QString& style, const QString& templateName = SpineLayout::Template1())
{
    LayoutRecord layout = SpineLayout::Defaults();
    return layout.SetText(SpineLayout::StyleSlot, style) && layout.SetText(SpineLayout::TemplateSlot, templateName)
        && layout.Write(SpineLayout::Path());
}

// The part of a page drawn at a scale that lies in `area` (device units).
QImage renderArea(const PageSource& pages, double scale, const QRect& area)
{
    QImage image(area.size(), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-area.topLeft());
    pages.DrawPage(painter, 1, scale, scale);
    return image;
}
}

class TestSpineLabel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpFonts(); }

    void styles_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<BookItem>("item");
        QTest::addColumn<Lines>("lines");
        const BookItem plain = book(QStringLiteral("I247.5"), QStringLiteral("红楼梦"));
        const BookItem eight = book(QStringLiteral("I247.5"), QStringLiteral("中国古代小说选读"));
        QTest::newRow("一") << "样式一" << plain << Lines{"I247.5", "3"};
        QTest::newRow("二, eight characters") << "样式二" << eight << Lines{"I:中国古代小", "3"};
        QTest::newRow("二, eleven letters") << "样式二" << book("TP311", "ABCDEFGHIJK") << Lines{"T:ABCDEFGHIJ", "3"};
        QTest::newRow("二, no character cut") << "样式二" << book("TP311", "A中国古代小说") << Lines{"T:A中国古代", "3"};
        QTest::newRow("二, Chinese class") << "样式二" << book("中图K", "史记") << Lines{"中:史记", "3"};
        QTest::newRow("三") << "样式三" << eight << Lines{"中国古代小", "I247.5/3"};
        QTest::newRow("四") << "样式四" << plain << Lines{"I247.5", "B0001"};
        QTest::newRow("五") << "样式五" << plain << Lines{"B0001", "A架"};
        QTest::newRow("六") << "样式六" << eight << Lines{"中国古代小", "A架"};
        QTest::newRow("七") << "样式七" << plain << Lines{"I247.5", "A架"};
        QTest::newRow("八") << "样式八" << plain << Lines{"红楼梦", "I247.5|A架"};
        QTest::newRow("九") << "样式九" << plain << Lines{"B0001", "I247.5|A架"};
        QTest::newRow("十") << "样式十" << plain << Lines{"B0001", "I247.5|3"};
        QTest::newRow("no style") << "样式十一" << plain << Lines{};
    }

    void styles()
    {
        QFETCH(QString, style);
        QFETCH(BookItem, item);
        QFETCH(Lines, lines);
        const Lines composed = SpineLabelStyle::Compose(style, item);
        QCOMPARE(composed.upper, lines.upper);
        QCOMPARE(composed.lower, lines.lower);
    }

    // The column comes from the fixed list only (any other is refused before SQL is made);
    // the value is a prefix taken literally.
    void searches_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<bool>("refused");
        QTest::newRow("all") << "书名" << "" << QStringList{"B0001", "B0002", "B0003", "B0010", "B0011"} << false;
        QTest::newRow("number prefix") << "图书编号" << "B001" << QStringList{"B0010", "B0011"} << false;
        QTest::newRow("class prefix") << "分类号" << "I24" << QStringList{"B0001", "B0002"} << false;
        QTest::newRow("title with a quote") << "书名" << "O'Re" << QStringList{"B0003"} << false;
        QTest::newRow("percent") << "分类号" << "I2%" << QStringList{"B0010"} << false;
        QTest::newRow("underscore") << "书架名称" << "A_" << QStringList{"B0011"} << false;
        QTest::newRow("month") << "入库时间" << "2017-04" << QStringList{"B0001", "B0002"} << false;
        QTest::newRow("not inside") << "入库时间" << "04" << QStringList() << false;
        QTest::newRow("another column") << "著译者" << "a" << QStringList() << true;
        QTest::newRow("SQL for a column") << "1=1 or 书名" << "a" << QStringList() << true;
        QTest::newRow("no column") << "" << "a" << QStringList() << true;
    }

    void searches()
    {
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        QFETCH(bool, refused);
        Workplace w;
        QVERIFY(addBooks({{"B0001", "I247.5", "", "1", "红楼梦", "A1", "2017-04-11"},
                          {"B0002", "I247.57", "", "1", "水浒传", "A2", "2017-04-20"},
                          {"B0003", "TP311", "", "1", "O'Reilly 指南", "B1", "2016-09-01"},
                          {"B0010", "I2%4", "", "1", "书", "B2", "2015-01-01"},
                          {"B0011", "K", "", "1", "书", "A_3", "2015-01-01"}}));
        if (refused) {
            QVERIFY_THROWS_EXCEPTION(DbError, PrintSearch::BooksForSpineLabels(theApp().m_ado, column, text));
            return;
        }
        QStringList numbers;
        for (const QStringList& row : PrintSearch::BooksForSpineLabels(theApp().m_ado, column, text))
            numbers << row[0];
        QCOMPARE(numbers, found);
    }

    // The window searches by the column chosen.
    void windowSearchesByTheChosenColumn()
    {
        Workplace w;
        QVERIFY(addBooks({{"B0001", "I247.5", "", "1", "书", "A", ""}, {"I2", "K", "", "1", "书", "A", ""}}));
        CBookLabelPrintDlg dlg;
        auto* columns = child<QComboBox>(dlg, "m_comboColumn");
        QCOMPARE(columns->count(), PrintSearch::SpineColumns().size());
        columns->setCurrentText(QStringLiteral("图书编号"));
        searchFor(&dlg, QStringLiteral("I2"));
        QCOMPARE(listColumn(dlg, "m_listCandidates", 0), QStringList{"I2"});
        columns->setCurrentText(QStringLiteral("分类号"));
        searchFor(&dlg, QStringLiteral("I2"));
        QCOMPARE(listColumn(dlg, "m_listCandidates", 0), QStringList{"B0001"});
        QVERIFY(w.seams.prompter.texts().isEmpty());
    }

    // At the printer's scale 6.25 the label in row 1, column 2 of the default layout stands
    // at (308, 106) x 6.25 and its rule is 4 dots high, 30 x 6.25 in from either side.
    void ruleAtPrinterScale()
    {
        std::vector<BookItem> items;
        for (int n = 1; n <= 8; ++n)
            items.push_back(book(classNo(n), QStringLiteral("书")));
        SpineLabelPages pages(items);
        pages.SetLayout(SpineLayout::Defaults());
        QCOMPARE(pages.Grid().Cell(7), std::optional(QRect(308, 106, 151, 102)));
        QCOMPARE(pages.PageSize(), QSize(794, 1123));
        const QRect area(1900, 600, 900, 500);
        const QImage image = renderArea(pages, 6.25, area);
        const int left = 2112, right = 2680;  // 1925 + 187.5 and 1925 + 943 - 187.5, truncated
        // Left of the centred texts only the rule is dark.
        QList<int> rows = darkRows(image, 2200 - area.left());
        for (int& y : rows)
            y += area.top();
        QCOMPARE(rows, QList<int>({978, 979, 980, 981}));
        const QList<int> rule = darkColumns(image, 980 - area.top());
        QCOMPARE(rule.first() + area.left(), left);
        QCOMPARE(rule.last() + area.left() + 1, right);
        QCOMPARE(rule.size(), right - left);
    }

    // 60 labels in 样式四 print as pages of 50 and 10 at 600 dpi; each label's 分类号 stands in
    // the upper and its 图书编号 in the lower half of its cell, as the layout's millimetres say.
    void printedLabelsStandInTheirCells()
    {
        PrintBench w;
        QVERIFY(writeLayout(QStringLiteral("样式四")));
        QVERIFY(addBooks(books(60)));
        CBookLabelPrintDlg dlg;
        addAllToPrintList(dlg);
        QCOMPARE(pageText(dlg), QStringLiteral("1/2页"));
        w.print(dlg, {{1, 2}});
        QCOMPARE(w.printing.sink.resolutions, QList<double>({600, 600}));
        const LayoutRecord layout = SpineLayout::Defaults();
        for (int page = 0; page < 2; ++page) {
            QMap<QString, QPointF> centres;
            for (const PdfWord& word : pdfWords(w.printing.sink.files[page]))
                centres.insert(word.text, word.mm.center());
            QCOMPARE(centres.size(), page == 0 ? 100 : 20);
            for (int i = 0; i < centres.size() / 2; ++i) {
                const int n = page * 50 + i + 1;
                const QRectF cell(QPointF((i % 5) * (layout.LabelWidth() + layout.ColumnGap()),
                                          (i / 5) * (layout.LabelHeight() + layout.RowGap())),
                                  QSizeF(layout.LabelWidth(), layout.LabelHeight()));
                const QRectF upper(cell.topLeft(), QSizeF(cell.width(), cell.height() / 2));
                const QRectF lower = upper.translated(0, cell.height() / 2);
                QVERIFY2(upper.contains(centres.value(classNo(n))), qPrintable(classNo(n)));
                QVERIFY2(lower.contains(centres.value(number(n))), qPrintable(number(n)));
            }
        }
        QVERIFY(w.seams.prompter.texts().isEmpty());
    }

    // Without a readable font.dat the window keeps its built-in grid on a page of 991 x 1403
    // with no style and no template, so its pages print white until a layout is saved; so
    // does a file whose template is neither 模板一 nor 模板二.
    void withoutLayoutThePagesPrintWhite_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("page");
        LayoutRecord third = SpineLayout::Defaults();
        third.SetText(SpineLayout::TemplateSlot, QStringLiteral("模板三"));
        QTest::newRow("no file") << QByteArray() << QSize(991, 1403);
        QTest::newRow("short file") << QByteArray(100, '\0') << QSize(991, 1403);
        QTest::newRow("another template") << third.Bytes() << QSize(794, 1123);
    }

    void withoutLayoutThePagesPrintWhite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QSize, page);
        PrintBench w;
        QVERIFY(file.isEmpty() || writeFile(SpineLayout::Path(), file));
        QVERIFY(addBooks(books(3)));
        CBookLabelPrintDlg dlg;
        const QImage& preview = child<PagePreview>(dlg, "m_preview")->PageSurface();
        QCOMPARE(preview.size(), page);
        addAllToPrintList(dlg);
        QVERIFY(!inked(preview, preview.rect()));
        w.print(dlg, {{1, 1}});
        QCOMPARE(w.printing.sink.files.size(), 1);
        QVERIFY(pdfTexts(w.printing.sink.files[0]).isEmpty());
        QVERIFY(w.messages().isEmpty());
    }

    // Adding books and paging the print list show the page in the preview at once.
    void addingAndPagingShowThePage()
    {
        Workplace w;
        QVERIFY(writeLayout(QStringLiteral("样式四")));
        QVERIFY(addBooks(books(60)));
        std::vector<BookItem> items;
        for (const QStringList& row : books(60))
            items.push_back(BookItem::FromTexts(row));
        SpineLabelPages pages(items);
        pages.SetLayout(SpineLayout::Read());
        CBookLabelPrintDlg dlg;
        previewFollowsThePrintList(dlg, pages);
    }

    // After "确　定" in the settings both lists are paged by the new grid at once, keeping
    // the pages shown, and the preview shows the new page size.
    void settingsRecountThePages()
    {
        Workplace w;
        QVERIFY(addBooks(books(60)));
        CBookLabelPrintDlg dlg;
        addAllToPrintList(dlg);
        click(dlg, "m_btnPrintNext");
        whenShown<CLabelSettingDlg>([](CLabelSettingDlg& settings) {
            click(settings, "m_btnDefault");
            child<QLineEdit>(settings, "m_editRows")->setText(QStringLiteral("2"));
            child<QLineEdit>(settings, "m_editPageHeight")->setText(QStringLiteral("200"));
            click(settings, "m_btnOk");
        });
        click(dlg, "m_btnSetting");
        QCOMPARE(pageText(dlg), QStringLiteral("2/6页"));
        QCOMPARE(listColumn(dlg, "m_listPrint", 0).first(), number(11));
        QCOMPARE(child<PagePreview>(dlg, "m_preview")->PageSurface().size(), QSize(794, 756));
        QVERIFY(w.seams.prompter.texts().isEmpty());
    }

    // Empty texts: 模板一 draws only its rule, 模板二 nothing at all.
    void emptyLabels_data()
    {
        QTest::addColumn<bool>("second");
        QTest::addColumn<int>("inked");
        QTest::newRow("模板一") << false << (90 - 30) * 4;
        QTest::newRow("模板二") << true << 0;
    }

    void emptyLabels()
    {
        QFETCH(bool, second);
        QFETCH(int, inked);
        QImage image(200, 100, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        const LabelItem item{QRect(0, 0, 120, 68), {}, {}, {}, LogFont(), Qt::black};
        CBookLabelPainter labels;
        second ? labels.DrawTemplate2(painter, item, 1, 1) : labels.DrawTemplate1(painter, item, 1, 1);
        painter.end();
        QCOMPARE(darkPixels(image, image.rect()), inked);
        if (!second)
            QCOMPARE(darkRows(image, 60), QList<int>({32, 33, 34, 35}));
    }

    // In 模板二 each line stands on its own white box: the upper line covers what it overlaps
    // of the heading above it.
    // The second "打印书标" form starts and answers the mouse as any dialog: it reads no
    // layout, says nothing and stays open.
    void secondFormDoesNothingOfItsOwn()
    {
        Workplace w;
        CBookLabelStubDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("打印书标"));
        child<QLineEdit>(dlg, "m_editSearch");
        child<QComboBox>(dlg, "m_comboColumn");
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const QPoint bare(dlg.width() / 2, dlg.height() - 20);
        QTest::mousePress(&dlg, Qt::LeftButton, {}, bare);
        QTest::mouseMove(&dlg, bare + QPoint(30, -30));
        QTest::mouseRelease(&dlg, Qt::LeftButton, {}, bare + QPoint(30, -30));
        QVERIFY(dlg.isVisible());
        QVERIFY(w.seams.prompter.texts().isEmpty());
    }

    void secondTemplateLinesCoverTheHeading()
    {
        const QRect cell(0, 0, 151, 102);
        const auto draw = [&](const QString& upper) {
            QImage image(cell.size(), QImage::Format_Grayscale8);
            image.fill(Qt::white);
            QPainter painter(&image);
            CBookLabelPainter().DrawTemplate2(painter, {cell, QStringLiteral("国国国"), upper, {}, LogFont(), Qt::black}, 1, 1);
            return image;
        };
        QImage measure(1, 1, QImage::Format_Grayscale8);
        QPainter painter(&measure);
        painter.setFont(LogFont().ToQFont(1));
        const QString blank(3, QChar(0x3000));
        const QRect box = painter.boundingRect(QRect(QPoint(0, 102 / 3 - 5), QPoint(150, 2 * 102 / 3 - 6)),
                                               Qt::AlignCenter | Qt::TextSingleLine, blank);
        QVERIFY(darkPixels(draw({}), box) > 0);
        QCOMPARE(darkPixels(draw(blank), box), 0);
    }
};

QTEST_MAIN(TestSpineLabel)
#include "test_spinelabel.moc"
