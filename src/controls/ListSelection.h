#pragma once

#include <QList>

class CReportListCtrl;
class QWidget;

// The rows a bulk operation (report lost, weed out, cancel) works on: every row that is
// selected or whose check box is ticked, in list order.
QList<int> markedRows(const CReportListCtrl& list);

// Ticks or unticks the check box of every row.
void checkAllRows(CReportListCtrl& list, bool checked);

// The row a single-row operation works on: the first selected row; -1 after telling the
// user "没有选定书目!\n" when none is selected.
int singleSelectedRow(QWidget* parent, const CReportListCtrl& list);
