#include "controls/SortClass.h"

#include "controls/CellOrder.h"
#include "controls/ReportListCtrl.h"
#include "core/Collation.h"

CSortClass::CSortClass(CReportListCtrl& list, int column, bool numeric)
    : m_list(list)
    , m_nColumn(column)
    , m_bNumeric(numeric)
{
}

bool CSortClass::Sort(bool ascending)
{
    if (m_nColumn < 0 || m_nColumn >= m_list.columnCount())
        return false;
    m_list.SortRows(m_nColumn, ascending, m_bNumeric ? compareCells : collateCompare);
    return true;
}
