#pragma once

#include "catalogue/StockCancelDlg.h"

// "注销期刊信息": periodical copies entered by mistake or gone for good leave the stock.
class CPeriodicalCancelDlg : public CStockCancelDlg {
    Q_OBJECT
public:
    explicit CPeriodicalCancelDlg(QWidget* parent = nullptr);

public slots:
    // Deletes the first selected copy once the librarian confirms, then searches again.
    // No control of the window carries it.
    void OnDeleteSelected();
};
