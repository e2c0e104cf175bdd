#pragma once

#include "controls/PagedSearchPage.h"

class CListExport;

// The lending query window's current loans, 30 a page, with their export.
class CLendRecordPage : public CPagedSearchPage {
    Q_OBJECT
public:
    explicit CLendRecordPage(QWidget* parent = nullptr);

private:
    CListExport* m_export = nullptr;
};
