#pragma once

#include "catalogue/LossCancelDlg.h"

// "期刊解挂": a lost periodical copy was found again and goes back into stock.
class CPeriodicalUnlossDlg : public CLossCancelDlg {
    Q_OBJECT
public:
    explicit CPeriodicalUnlossDlg(QWidget* parent = nullptr);
};
