#pragma once

#include "circulation/LoanLossDlg.h"

// "图书挂失": a reader lost a book he borrowed; the copy moves to the loss table under his
// name and his loan ends.
class CBookLoanLossDlg : public CLoanLossDlg {
    Q_OBJECT
public:
    explicit CBookLoanLossDlg(QWidget* parent = nullptr);
};
