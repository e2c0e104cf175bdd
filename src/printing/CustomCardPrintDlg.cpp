#include "printing/CustomCardPrintDlg.h"

#include "controls/Prompter.h"
#include "printing/CardTitle.h"
#include "printing/CardSetDlg.h"

namespace {
const QString kSetupIni = QStringLiteral("setup.ini");
}

CCustomCardPrintDlg::CCustomCardPrintDlg(QWidget* parent)
    : CCodeRunPrintDlg({QStringLiteral("自定义借阅证打印"), QStringLiteral("编号条码:"), QStringLiteral("QX00001"),
                        QStringLiteral("10")},
                       parent)
{
    m_cards.SetTitle(CardTitle::Read(kSetupIni));
    Start(m_cards);
}

void CCustomCardPrintDlg::OnSetting()
{
    CCardSetDlg settings(CCardSetDlg::CustomCards, m_cards.Geometry(), m_cards.Title(), this);
    if (settings.exec() == QDialog::Accepted) {
        m_cards.SetGeometry(settings.Geometry());
        m_cards.SetTitle(settings.Title());
        if (!CardTitle::Write(kSetupIni, settings.Title()))
            showMessage(this, QStringLiteral("保存标题出错！"));
    }
    ShowPreview();
}
