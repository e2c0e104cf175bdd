#include "controls/SortClass.h"

#include "controls/ColumnText.h"
#include "controls/ReportListCtrl.h"
#include "core/Collation.h"

namespace {

int CompareText(const QString& a, const QString& b, bool ascending)
{
    const int order = gbkCaseCompare(a, b);
    return ascending ? order : -order;
}

int CompareNumbers(const QString& a, const QString& b, bool ascending)
{
    const int x = leadingNumber(a);
    const int y = leadingNumber(b);
    const int order = x < y ? -1 : (x > y ? 1 : 0);
    return ascending ? order : -order;
}

}

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
    m_list.SortRows(m_nColumn, ascending, m_bNumeric ? CompareNumbers : CompareText);
    return true;
}
