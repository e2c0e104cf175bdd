#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

class CListExport;
class CPagedSearchPage;

// The reader query window: the register of readers searched and shown 50 a page, and the
// last search written to a workbook. It does not close while its export runs.
class CReaderQueryDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReaderQueryDlg(QWidget* parent = nullptr);

private:
    EnterKeyFilter m_enterKeys{this};
    CPagedSearchPage* m_page = nullptr;
    CListExport* m_export = nullptr;
};
