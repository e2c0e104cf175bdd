#include "printing/CustomBarcodePrintDlg.h"

#include "controls/Prompter.h"
#include "printing/BarcodeLayoutFile.h"
#include "printing/BarcodeSetDlg.h"
#include "printing/OpeningMessage.h"

CCustomBarcodePrintDlg::CCustomBarcodePrintDlg(QWidget* parent)
    : CCodeRunPrintDlg({QStringLiteral("自定义条形码打印"), QStringLiteral("条码数据:"), QStringLiteral("QX0000001"),
                        QStringLiteral("60")},
                       parent)
{
    if (!m_labels.ReadLayout(BarcodeLayoutFile::CustomCodes))
        showWhenShown(this, BarcodeLayoutFile::UnreadableText());
    Start(m_labels);
}

void CCustomBarcodePrintDlg::OnSetting()
{
    CBarcodeSetDlg settings(BarcodeLayoutFile::CustomCodes, this);
    if (settings.exec() != QDialog::Accepted)
        return;
    if (!m_labels.ReadLayout(BarcodeLayoutFile::CustomCodes))
        showMessage(this, BarcodeLayoutFile::UnreadableText());
    PagesChanged();
}
