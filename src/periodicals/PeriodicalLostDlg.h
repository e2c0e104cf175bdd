#pragma once

#include "catalogue/StockMoveDlg.h"

// "期刊报失": the library lost periodical copies from stock; they go to the loss table under
// the pseudo-reader "9999"/"system" and come back from there.
class CPeriodicalLostDlg : public CStockMoveDlg {
    Q_OBJECT
public:
    explicit CPeriodicalLostDlg(QWidget* parent = nullptr);
};
