#pragma once

#include "circulation/LoanLossDlg.h"

// "期刊挂失": a reader lost a periodical he borrowed; the loss is recorded and his loan ends.
// The copy stays in stock, flagged lent, until the library reports it lost, weeds it out or
// cancels it.
class CPeriodicalLoanLossDlg : public CLoanLossDlg {
    Q_OBJECT
public:
    explicit CPeriodicalLoanLossDlg(QWidget* parent = nullptr);
};
