#pragma once

#include "catalogue/StockMoveDlg.h"

// "期刊剔旧": worn-out periodical copies leave the stock for the weed-out table and can
// come back from there.
class CPeriodicalWeedDlg : public CStockMoveDlg {
    Q_OBJECT
public:
    explicit CPeriodicalWeedDlg(QWidget* parent = nullptr);
};
