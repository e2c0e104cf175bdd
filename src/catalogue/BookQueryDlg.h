#pragma once

#include "controls/QueryTabDlg.h"

// The book query window: the catalogue search, the lost copies and the statistics. It does
// not close while any spreadsheet worker of the program runs.
class CBookQueryDlg : public CQueryTabDlg {
    Q_OBJECT
public:
    explicit CBookQueryDlg(QWidget* parent = nullptr);

private:
    bool MayClose();
};
