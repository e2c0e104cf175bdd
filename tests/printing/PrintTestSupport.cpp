#include "PrintTestSupport.h"

#include "controls/ButtonIcons.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "printing/PagePreview.h"
#include "printing/PageSource.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

std::optional<PageRanges> ScriptedPrintChooser::ChoosePages(QWidget*, QPrinter& printer, int pageCount)
{
    offered << pageCount;
    printer.setResolution(resolution);
    return answers.isEmpty() ? std::nullopt : answers.dequeue();
}

bool PdfPageSink::PrintJob(QPrinter& printer, const QString& jobName, const std::function<void(QPainter&)>& draw)
{
    const QString file = m_dir.filePath(QStringLiteral("job%1.pdf").arg(files.size() + 1));
    printer.setDocName(jobName);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    resolutions << painter.device()->logicalDpiX();
    draw(painter);
    jobNames << jobName;
    files << file;
    return painter.end();
}

ScriptedPrinting::ScriptedPrinting()
{
    PrintChooser::install(&chooser);
    PageSink::install(&sink);
}

ScriptedPrinting::~ScriptedPrinting()
{
    PrintChooser::install(nullptr);
    PageSink::install(nullptr);
}

void PrintBench::print(QWidget& window, const PageRanges& pages)
{
    printing.chooser.answers.enqueue(pages);
    click(window, QStringLiteral("m_btnPrint"));
}

void PrintBench::printsOnePage(QWidget& window, bool inked)
{
    print(window, {{1, 1}});
    QVERIFY(messages().isEmpty());
    QCOMPARE(printing.chooser.offered, QList<int>{1});
    QCOMPARE(printing.sink.files.size(), 1);
    const QImage page = rasterisedPage(printing.sink.files[0], folder.path());
    QVERIFY(!page.isNull());
    QCOMPARE(::inked(page, page.rect()), inked);
}

QList<QStringList> PrintBench::scannedPages(int dpi)
{
    QList<QStringList> pages;
    for (const QString& file : printing.sink.files) {
        QStringList found = decodeBarcodes({rasterisePdf(file, folder.path() + QStringLiteral("/scan.pgm"), dpi)});
        found.sort();
        pages << found;
    }
    return pages;
}

QStringList variedCodes(int count)
{
    QStringList codes;
    for (int n = 1; n <= count; ++n)
        codes << QStringLiteral("%1%2").arg(n % 3 ? QStringLiteral("TS") : QStringLiteral("b-")).arg(n * 7919 % 100003);
    return codes;
}

QStringList decodeBarcodes(const QStringList& imageFiles)
{
    QProcess zbar;
    zbar.setProcessChannelMode(QProcess::SeparateChannels);
    zbar.start(QStringLiteral("zbarimg"),
               QStringList{QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("--nodbus"),
                           QStringLiteral("-Sdisable"), QStringLiteral("-Scode128.enable")}
                   + imageFiles);
    zbar.waitForFinished(60000);
    QStringList found = QString::fromLatin1(zbar.readAllStandardOutput()).split(QLatin1Char('\n'));
    found.removeAll(QString());
    return found;
}

QString rasterisePdf(const QString& pdfFile, const QString& imageFile, int dpi, const QStringList& options)
{
    QProcess poppler;
    poppler.start(QStringLiteral("pdftoppm"),
                  QStringList{QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi),
                              QStringLiteral("-singlefile")}
                      + options + QStringList{pdfFile});
    poppler.waitForFinished(60000);
    QFile out(imageFile);
    if (!out.open(QIODevice::WriteOnly) || out.write(poppler.readAllStandardOutput()) <= 0)
        return {};
    return imageFile;
}

QImage renderPage(const PageSource& pages, int page, double scale)
{
    const QSize size = pages.PageSize() * scale;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    pages.DrawPage(painter, page, scale, scale);
    return image;
}

QImage rasterisedPage(const QString& pdfFile, const QString& folder)
{
    const QString image = rasterisePdf(pdfFile, folder + QStringLiteral("/raster.pgm"));
    return image.isEmpty() ? QImage() : QImage(image).convertToFormat(QImage::Format_Grayscale8);
}

namespace {
QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    tool.waitForFinished(60000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}
}

int pdfPageCount(const QString& pdfFile)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption);
    return pages.match(runTool(QStringLiteral("pdfinfo"), {pdfFile})).captured(1).toInt();
}

QList<PdfWord> pdfWords(const QString& pdfFile)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    constexpr double mmPerPoint = 25.4 / 72;
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({m.captured(5), QRectF(topLeft * mmPerPoint, bottomRight * mmPerPoint)});
    }
    return words;
}

QStringList pdfTexts(const QString& pdfFile)
{
    QStringList texts;
    for (const PdfWord& word : pdfWords(pdfFile))
        texts << word.text;
    return texts;
}

QList<PdfFont> pdfFonts(const QString& pdfFile)
{
    const QStringList lines = runTool(QStringLiteral("pdffonts"), {pdfFile}).split(QLatin1Char('\n'));
    QList<PdfFont> fonts;
    // name type encoding emb sub uni object ID; the type may take two words.
    for (const QString& line : lines.mid(2)) {
        const QStringList cells = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (cells.size() < 7)
            continue;
        const qsizetype n = cells.size();
        fonts.append({cells[0].section(QLatin1Char('+'), -1), cells[n - 5] == QLatin1String("yes"),
                      cells[n - 3] == QLatin1String("yes")});
    }
    return fonts;
}

QStringList listColumn(QWidget& window, const QString& list, int column)
{
    return listColumn(child<CReportListCtrl>(window, list), column);
}

bool showsIcon(QWidget& window, const QString& button, int id)
{
    const auto picture = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
    const QImage expected = picture(resourceIcon(id));
    return !expected.isNull() && picture(child<QPushButton>(window, button)->icon()) == expected;
}

QString pageText(QWidget& window) { return child<QLabel>(window, QStringLiteral("m_labelPage"))->text(); }

bool blockDataFolder()
{
    QFile blocker(QStringLiteral("data"));
    return QDir(QStringLiteral("data")).removeRecursively() && blocker.open(QIODevice::WriteOnly);
}

void addAllToPrintList(QWidget& window)
{
    searchFor(&window, QStringLiteral("(全部)"));
    child<QCheckBox>(window, "m_checkAllResults")->click();
    click(window, "m_btnAdd");
}

void previewFollowsThePrintList(QWidget& window, const PageSource& pages)
{
    const QImage& preview = child<PagePreview>(window, "m_preview")->PageSurface();
    addAllToPrintList(window);
    QCOMPARE(preview, renderPage(pages, 1, 1));
    click(window, "m_btnPrintNext");
    QCOMPARE(preview, renderPage(pages, 2, 1));
}

int darkPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}

QList<int> darkColumns(const QImage& image, int y, int from, int to)
{
    QList<int> dark;
    for (int x = from; x < (to < 0 ? image.width() : to); ++x)
        if (qGray(image.pixel(x, y)) < 128)
            dark << x;
    return dark;
}

QList<int> darkRows(const QImage& image, int x)
{
    QList<int> dark;
    for (int y = 0; y < image.height(); ++y)
        if (qGray(image.pixel(x, y)) < 128)
            dark << y;
    return dark;
}

namespace {
bool insertRows(const QString& sql, const QList<QStringList>& rows)
{
    CAdoConn& conn = theApp().m_ado;
    CTransaction transaction(conn);
    for (const QStringList& row : rows) {
        QVariantList values;
        for (const QString& text : row)
            values << text;
        if (!conn.ExecuteSql(sql, values))
            return false;
    }
    return transaction.Commit();
}
}

bool addBooks(const QList<QStringList>& books)
{
    return insertRows(QStringLiteral("insert into bkinfo (图书编号, 分类号, 图书类别, 复本号, 书名, 书架名称, 入库时间) "
                                     "values (?, ?, ?, ?, ?, ?, ?)"),
                      books);
}

bool addReaders(const QList<QStringList>& readers)
{
    return insertRows(QStringLiteral("insert into readerinfo (编号, 姓名, 性别, 类别, 部门) values (?, ?, ?, ?, ?)"),
                      readers);
}

QStringList windowsOpenedByEnter(QWidget* field)
{
    QStringList opened;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&opened, field] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal && modal != field->window()) {
            opened << QString::fromLatin1(modal->metaObject()->className());
            modal->reject();
        }
    });
    watch.start(10);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    return opened;
}
