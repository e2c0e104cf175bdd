#pragma once

#include "catalogue/StockMoveDlg.h"

// "图书剔旧": worn-out copies leave the stock for the weed-out table, which can be exported
// and from which a copy can come back.
class CBookWeedOutDlg : public CStockMoveDlg {
    Q_OBJECT
public:
    explicit CBookWeedOutDlg(QWidget* parent = nullptr);
};
