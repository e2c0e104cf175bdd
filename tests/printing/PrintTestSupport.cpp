#include "PrintTestSupport.h"

#include "printing/PageSource.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>

std::optional<PageRanges> ScriptedPrintChooser::ChoosePages(QWidget*, QPrinter&, int pageCount)
{
    offered << pageCount;
    return answers.isEmpty() ? std::nullopt : answers.dequeue();
}

bool PdfPageSink::PrintJob(QPrinter& printer, const QString& jobName, const std::function<void(QPainter&)>& draw)
{
    const QString file = m_dir.filePath(QStringLiteral("job%1.pdf").arg(files.size() + 1));
    printer.setDocName(jobName);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
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

QStringList decodeBarcodes(const QStringList& imageFiles)
{
    QProcess zbar;
    zbar.setProcessChannelMode(QProcess::SeparateChannels);
    zbar.start(QStringLiteral("zbarimg"),
               QStringList{QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Sdisable"),
                           QStringLiteral("-Scode128.enable")}
                   + imageFiles);
    zbar.waitForFinished(60000);
    QStringList found = QString::fromLatin1(zbar.readAllStandardOutput()).split(QLatin1Char('\n'));
    found.removeAll(QString());
    return found;
}

QString rasterisePdf(const QString& pdfFile, const QString& imageFile)
{
    QProcess poppler;
    poppler.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-singlefile"),
                   pdfFile});
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
