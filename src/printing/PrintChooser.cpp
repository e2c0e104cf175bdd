#include "printing/PrintChooser.h"

#include "controls/Prompter.h"

#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
PrintChooser* g_installed = nullptr;
}

PrintChooser& PrintChooser::instance()
{
    static DialogPrintChooser dialog;
    return g_installed ? *g_installed : dialog;
}

void PrintChooser::install(PrintChooser* chooser) { g_installed = chooser; }

std::optional<PageRanges> DialogPrintChooser::ChoosePages(QWidget* parent, QPrinter& printer, int pageCount)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        showMessage(parent, QStringLiteral("没有安装打印机，不能打印！"));
        return std::nullopt;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies);
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
