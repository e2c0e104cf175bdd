#pragma once

#include "catalogue/StockMoveDlg.h"

// "图书报失": the library lost copies from stock; they go to the loss table under the
// pseudo-reader "9999"/"system" and come back from there.
class CBookLostDlg : public CStockMoveDlg {
    Q_OBJECT
public:
    explicit CBookLostDlg(QWidget* parent = nullptr);
};
