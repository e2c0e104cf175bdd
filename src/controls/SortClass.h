#pragma once

class CReportListCtrl;

// Sorts a list by the text of one column once, as text (zh_CN collation, Latin letters
// without regard to case) or as numbers (digit strings by value, of any length; other
// cells after them). Every row keeps its data and check state.
class CSortClass {
public:
    CSortClass(CReportListCtrl& list, int column, bool numeric);

    bool Sort(bool ascending);

private:
    CReportListCtrl& m_list;
    int m_nColumn;
    bool m_bNumeric;
};
