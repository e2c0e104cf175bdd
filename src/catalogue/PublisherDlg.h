#pragma once

#include "catalogue/ReferenceTableDlg.h"

// The publishers by their ISBN prefix.
class CPublisherDlg : public CReferenceTableDlg {
    Q_OBJECT
public:
    explicit CPublisherDlg(QWidget* parent = nullptr);
};
