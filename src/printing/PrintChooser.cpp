#include "printing/PrintChooser.h"

#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>

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
