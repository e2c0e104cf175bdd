#pragma once

class CReportListCtrl;

// Sorts a list by the text of one column once, as text or as whole numbers. Text keys
// compare as a Windows program compares GBK texts without regard to case (gbkCaseCompare:
// "Apple" and "zebra" before Chinese, "A" and "a" equal and kept in their order); numeric
// keys are read the way C's atoi reads them ("12abc" is 12, a text without leading digits
// 0). Every row keeps its data and check state.
class CSortClass {
public:
    CSortClass(CReportListCtrl& list, int column, bool numeric);

    bool Sort(bool ascending);

private:
    CReportListCtrl& m_list;
    int m_nColumn;
    bool m_bNumeric;
};
