#pragma once

#include "controls/PagedSearchPage.h"

// The periodical query window's first page: the stock searched like the entry window's
// list, 50 a page, and the whole stock exported to a workbook.
class CPeriodicalSearchPage : public CPagedSearchPage {
    Q_OBJECT
public:
    explicit CPeriodicalSearchPage(QWidget* parent = nullptr);

private slots:
    void OnExportExcel();
};
