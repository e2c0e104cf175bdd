#pragma once

#include <QString>

class QLabel;

// The print windows' page indicator, "page/pages页".
QString pageIndicatorText(int page, int pageCount);
// Gives the indicator, from the start, the width of the largest page numbers a print list
// reaches, so that the paging controls beside it stay put as the numbers grow.
void reservePageIndicator(QLabel* indicator);
