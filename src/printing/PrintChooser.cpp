#include "printing/PrintChooser.h"

#include "controls/Prompter.h"

#include <QDir>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {
PrintChooser* g_installed = nullptr;
}

PrintChooser& PrintChooser::instance()
{
    static DialogPrintChooser dialog;
    return g_installed ? *g_installed : dialog;
}

void PrintChooser::install(PrintChooser* chooser) { g_installed = chooser; }

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
    if (dialog.printRange() != QAbstractPrintDialog::PageRange)
        return PageRanges{{1, pageCount}};
    PageRanges chosen;
    for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
        chosen.append({range.from, range.to});
    if (chosen.isEmpty())
        chosen.append({dialog.fromPage(), dialog.toPage()});
    return chosen;
}
