#pragma once

#include "catalogue/StockCancelDlg.h"

// "注销图书信息": book copies entered by mistake or gone for good leave the catalogue.
class CBookCancelDlg : public CStockCancelDlg {
    Q_OBJECT
public:
    explicit CBookCancelDlg(QWidget* parent = nullptr);
};
