#pragma once

#include <QStringList>

class PageSource;
class QWidget;

// The print command of every print window: the print dialog offers pages 1 to the page
// count; each chosen page, in the order chosen, is drawn on an A4 printer at 600 dpi as a print job "print" of
// its own. The scale is the printer's dots per inch over the page's (exactly 5 for the
// 120-dpi barcode and card pages).
namespace PagePrinter {
constexpr int kResolution = 600;

void Print(QWidget* parent, const PageSource& pages, double pageDpi = 120);
// Before printing codes: asks whether to print when some will not scan (see PrintCheck);
// true when all will scan or the user said Yes.
bool ConfirmCodes(QWidget* parent, const QStringList& codes, int pitch);
}
