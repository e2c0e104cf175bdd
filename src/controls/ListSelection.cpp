#include "controls/ListSelection.h"

#include "controls/Prompter.h"
#include "controls/ReportListCtrl.h"

QList<int> markedRows(const CReportListCtrl& list)
{
    QList<int> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetCheck(row) || list.topLevelItem(row)->isSelected())
            rows.append(row);
    }
    return rows;
}

void checkAllRows(CReportListCtrl& list, bool checked)
{
    for (int row = 0; row < list.GetItemCount(); ++row)
        list.SetCheck(row, checked);
}

int singleSelectedRow(QWidget* parent, const CReportListCtrl& list)
{
    const int row = list.GetFirstSelected();
    if (row < 0)
        showMessage(parent, QStringLiteral("没有选定书目!\n"));
    return row;
}
