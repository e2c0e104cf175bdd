#pragma once

#include "controls/ListQueryPage.h"

// The periodical query window's current loans, searched by periodical or reader, and
// every loan exported to a workbook.
class CPeriodicalLendQueryPage : public CListQueryPage {
    Q_OBJECT
public:
    explicit CPeriodicalLendQueryPage(QWidget* parent = nullptr);

private slots:
    void OnExport();
};
