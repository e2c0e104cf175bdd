#pragma once

#include "controls/QueryTabDlg.h"

// The lending query window: current loans, lending history, overdue loans and the lending
// summary. It does not close while one of its exports runs.
class CLendQueryDlg : public CQueryTabDlg {
    Q_OBJECT
public:
    explicit CLendQueryDlg(QWidget* parent = nullptr);
};
