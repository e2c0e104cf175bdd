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
    if (!ReadLayout())
        showWhenShown(this, BarcodeLayoutFile::UnreadableText());
    Start(m_labels);
}

bool CCustomBarcodePrintDlg::ReadLayout()
{
    const std::optional<LayoutRecord> layout = LayoutRecord::Read(BarcodeLayoutFile::Path(BarcodeLayoutFile::CustomCodes));
    m_labels.SetLayout(layout.value_or(LayoutRecord::Defaults()));
    return layout.has_value();
}

void CCustomBarcodePrintDlg::OnSetting()
{
    CBarcodeSetDlg settings(BarcodeLayoutFile::CustomCodes, this);
    if (settings.exec() != QDialog::Accepted)
        return;
    if (!ReadLayout())
        showMessage(this, BarcodeLayoutFile::UnreadableText());
    PagesChanged();
}
