#pragma once

#include "circulation/LoanLossDlg.h"

// "期刊挂失": a reader lost a periodical he borrowed; the loss is recorded, the copy moves
// to the loss table under his name and his loan ends.
class CPeriodicalLoanLossDlg : public CLoanLossDlg {
    Q_OBJECT
public:
    explicit CPeriodicalLoanLossDlg(QWidget* parent = nullptr);
};
