#pragma once

#include "printing/BarcodeLabelPages.h"
#include "printing/CodeRunPrintDlg.h"

// "自定义条形码打印": barcode labels for a run of made-up codes (for example to label new
// books before they are catalogued), in the layout of "data/txmzd.dat".
class CCustomBarcodePrintDlg : public CCodeRunPrintDlg {
    Q_OBJECT
public:
    explicit CCustomBarcodePrintDlg(QWidget* parent = nullptr);

protected:
    void OnSetting() override;

private:
    BarcodeLabelPages m_labels;
};
