#pragma once

#include "catalogue/ReferenceTableDlg.h"

// The shelves and other places where books are kept.
class CShelfSettingDlg : public CReferenceTableDlg {
    Q_OBJECT
public:
    explicit CShelfSettingDlg(QWidget* parent = nullptr);
};
