#include "printing/PageIndicator.h"

#include "controls/LabelWidth.h"

QString pageIndicatorText(int page, int pageCount) { return QStringLiteral("%1/%2页").arg(page).arg(pageCount); }

void reservePageIndicator(QLabel* indicator) { reserveLabelWidth(indicator, {pageIndicatorText(99999, 99999)}); }
