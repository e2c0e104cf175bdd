#pragma once

#include "controls/PagedSearchPage.h"

class CListExport;

// The lending query window's lending history, 100 rows a page, with its export.
class CLendHistoryPage : public CPagedSearchPage {
    Q_OBJECT
public:
    explicit CLendHistoryPage(QWidget* parent = nullptr);

private:
    CListExport* m_export = nullptr;
};
