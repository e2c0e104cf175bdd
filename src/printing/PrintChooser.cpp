#include "printing/PrintChooser.h"

#include "controls/Prompter.h"

#include <QDir>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {
PrintChooser* g_installed = nullptr;
constexpr int kLowestPrinterResolution = 200;
constexpr int kUnknownResolution = 600;
}

PrintChooser& PrintChooser::instance()
{
    static DialogPrintChooser dialog;
    return g_installed ? *g_installed : dialog;
}

void PrintChooser::install(PrintChooser* chooser) { g_installed = chooser; }

int DialogPrintChooser::JobResolution(QList<int> reported)
{
    if (reported.isEmpty())
        return kUnknownResolution;
    std::sort(reported.begin(), reported.end());
    const auto lowest = std::lower_bound(reported.cbegin(), reported.cend(), kLowestPrinterResolution);
    return lowest != reported.cend() ? *lowest : reported.back();
}

bool DialogPrintChooser::PrintersInstalled() const { return !QPrinterInfo::availablePrinters().isEmpty(); }

QString DialogPrintChooser::PdfFolder() const
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

bool DialogPrintChooser::ProposePdf(QWidget* parent, QPrinter& printer) const
{
    const QString title = parent ? parent->window()->windowTitle() : QString();
    const QString name = (title.isEmpty() ? QStringLiteral("打印") : title) + QStringLiteral(".pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir(PdfFolder()).filePath(name));
    return printer.outputFormat() == QPrinter::PdfFormat && printer.isValid();
}

std::optional<PageRanges> DialogPrintChooser::ChoosePages(QWidget* parent, QPrinter& printer, int pageCount)
{
    if (!PrintersInstalled() && !ProposePdf(parent, printer)) {
        showMessage(parent, QStringLiteral("没有安装打印机，不能打印！"));
        return std::nullopt;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies
                      | QAbstractPrintDialog::PrintToFile);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(1, pageCount);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const bool toFile = !printer.outputFileName().isEmpty();
    printer.setResolution(toFile ? kFileResolution : JobResolution(QPrinterInfo(printer).supportedResolutions()));
    if (dialog.printRange() != QAbstractPrintDialog::PageRange)
        return PageRanges{{1, pageCount}};
    PageRanges chosen;
    for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
        chosen.append({range.from, range.to});
    if (chosen.isEmpty())
        chosen.append({dialog.fromPage(), dialog.toPage()});
    return chosen;
}
