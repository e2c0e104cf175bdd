#pragma once

#include "printing/PageSink.h"
#include "printing/PrintChooser.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

class PageSource;

// Answers print dialogs from a queue (nullopt = cancelled); an empty queue cancels. The
// printer chosen reports `resolution` dots per inch.
class ScriptedPrintChooser : public PrintChooser {
public:
    std::optional<PageRanges> ChoosePages(QWidget* parent, QPrinter& printer, int pageCount) override;

    QQueue<std::optional<PageRanges>> answers;
    int resolution = 600;
    QList<int> offered;  // the page count each dialog offered
};

// Keeps every print job as a PDF file of its own, printed through the real QPrinter, with
// no margins, so the page's top-left corner is the paper's.
class PdfPageSink : public PageSink {
public:
    bool PrintJob(QPrinter& printer, const QString& jobName, const std::function<void(QPainter&)>& draw) override;

    QStringList jobNames;
    QStringList files;
    QList<double> resolutions;  // dots per inch each page was drawn at

private:
    QTemporaryDir m_dir;
};

// Installs both for the life of the object.
class ScriptedPrinting {
public:
    ScriptedPrinting();
    ~ScriptedPrinting();

    ScriptedPrintChooser chooser;
    PdfPageSink sink;
};

// What a print window's test starts from: scripted seams, a fresh program folder and
// printing into PDF files.
struct PrintBench : Workplace {
    ScriptedPrinting printing;
    // Answers the print dialog with the pages and presses the window's "打印".
    void print(QWidget& window, const PageRanges& pages);
    // What each printed page scans as, read at dpi, sorted.
    QList<QStringList> scannedPages(int dpi = 300);
    // Prints page 1 of the window and checks that it went through without a word as one
    // page, inked or blank as said.
    void printsOnePage(QWidget& window, bool inked);
    QStringList messages() const { return seams.prompter.texts(); }
};

// Book numbers of varied lengths and characters, as a library's stock has them.
QStringList variedCodes(int count);

// What zbarimg reads in the images, one text per symbol, in file order (stdout only).
QStringList decodeBarcodes(const QStringList& imageFiles);
// The first page of a PDF file as a grey image file at dpi (300 unless given), through
// pdftoppm's stdout, with its further options (a part of the page: "-W", "-H").
QString rasterisePdf(const QString& pdfFile, const QString& imageFile, int dpi = 300, const QStringList& options = {});
// The first page of a PDF file at 300 dpi in shades of grey, read back (null when it failed).
QImage rasterisedPage(const QString& pdfFile, const QString& folder);
constexpr double kRasterDotsPerMm = 300 / 25.4;

// How many pages a PDF file has, as pdfinfo says (0 when it cannot read it).
int pdfPageCount(const QString& pdfFile);

// A word of a PDF page as pdftotext places it, in millimetres from the top-left corner.
struct PdfWord {
    QString text;
    QRectF mm;
};
QList<PdfWord> pdfWords(const QString& pdfFile);
// The words of a PDF page in reading order.
QStringList pdfTexts(const QString& pdfFile);

// A font of a PDF file as pdffonts lists it.
struct PdfFont {
    QString name;  // without the subset prefix ("ABCDEF+")
    bool embedded;
    bool unicodeMap;
};
QList<PdfFont> pdfFonts(const QString& pdfFile);

// A page drawn at the given scale on white.
QImage renderPage(const PageSource& pages, int page, double scale);

inline void click(QWidget& window, const QString& button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

// Whether a window's button shows the picture of the icon resource id.
bool showsIcon(QWidget& window, const QString& button, int id);

// The text of a print window's page indicator ("1/2页").
QString pageText(QWidget& window);
// Puts a file where the program folder's data folder should be, so nothing can be saved there.
bool blockDataFolder();
// The texts of a column of a window's list, top to bottom.
QStringList listColumn(QWidget& window, const QString& list, int column);
// Searches everything in a two-list print window and moves it all into the print list.
void addAllToPrintList(QWidget& window);
// Moves everything into a two-list print window's print list, then pages that on: the
// preview shows page 1 of `pages` at once, then page 2, without "预览".
void previewFollowsThePrintList(QWidget& window, const PageSource& pages);
// How many dark pixels lie in the rectangle of an image, and whether any does.
int darkPixels(const QImage& image, const QRect& area);
inline bool inked(const QImage& image, const QRect& area) { return darkPixels(image, area) > 0; }
// The dark pixels of row y within columns [from, to) (to the right edge when to is -1), and
// of column x.
QList<int> darkColumns(const QImage& image, int y, int from = 0, int to = -1);
QList<int> darkRows(const QImage& image, int x);
// Stores books, each as 图书编号, 分类号, 图书类别, 复本号, 书名, 书架名称, 入库时间.
bool addBooks(const QList<QStringList>& books);
// Stores readers, each as 编号, 姓名, 性别, 类别, 部门.
bool addReaders(const QList<QStringList>& readers);

// Presses Enter in a field of a shown window; the class names of the modal windows that
// opened (each closed at once).
QStringList windowsOpenedByEnter(QWidget* field);

// Acts on the next modal window of type Dialog from inside its own loop.
template <typename Dialog> void whenShown(std::function<void(Dialog&)> act)
{
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            act(*dialog);
    });
}
