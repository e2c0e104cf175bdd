#pragma once

#include "catalogue/ReferenceTableDlg.h"

// The book types the entry windows offer, with their class codes.
class CBookTypeDlg : public CReferenceTableDlg {
    Q_OBJECT
public:
    explicit CBookTypeDlg(QWidget* parent = nullptr);
};
