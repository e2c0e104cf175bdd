#pragma once

#include "catalogue/LossCancelDlg.h"

// "图书解挂": a book reported lost, by the library or by a reader, was found and goes back
// into stock.
class CBookUnlossDlg : public CLossCancelDlg {
    Q_OBJECT
public:
    explicit CBookUnlossDlg(QWidget* parent = nullptr);
};
