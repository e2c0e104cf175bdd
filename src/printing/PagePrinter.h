#pragma once

#include <QStringList>

class PageSource;
class QWidget;

// The print command of every print window: the print dialog offers pages 1 to the page
// count; each chosen page, in the order chosen, is drawn on an A4 printer as a print job
// "print" of its own, or, when the dialog chose a PDF file, all of them as pages of that file,
// drawn from the paper's corner without margins.
// Pages are drawn at the resolution the print chooser set up, the one the printer reports,
// so a barcode module is a whole number of the printer's own dots (2 at 203 dpi, 3 at 300,
// 5 at 600); the scale is that resolution over the page's.
namespace PagePrinter {
void Print(QWidget* parent, const PageSource& pages, double pageDpi = 120);
// Before printing codes: asks whether to print when some will not scan (see PrintCheck);
// true when all will scan or the user said Yes.
bool ConfirmCodes(QWidget* parent, const QStringList& codes, int pitch);
}
