#include "printing/ReaderCardPrintDlg.h"

#include "db/AppState.h"
#include "printing/CardSetDlg.h"
#include "printing/PagePrinter.h"
#include "printing/PrintSearch.h"

CReaderCardPrintDlg::CReaderCardPrintDlg(QWidget* parent)
    : CTwoListPrintDlg({QStringLiteral("打印图书借阅证"), CardReaderInfo::Headings(),
                        QStringLiteral("可输入姓名、编号、类别、部门"), {}, false, true, true},
                       parent)
{
    Start(m_readers, m_cards);
}

std::vector<QStringList> CReaderCardPrintDlg::Search(const QString& filter, const QString&)
{
    return PrintSearch::Readers(theApp().m_ado, filter);
}

QString CReaderCardPrintDlg::NothingFoundText() const { return QStringLiteral("没有找到相关信息的读者!"); }

void CReaderCardPrintDlg::OnSetting()
{
    CCardSetDlg settings(CCardSetDlg::ReaderCards, m_cards.Geometry(), m_cards.Title(), this);
    if (settings.exec() == QDialog::Accepted) {
        m_cards.SetGeometry(settings.Geometry());
        m_cards.SetTitle(settings.Title());
    }
    ShowPreview();
}

bool CReaderCardPrintDlg::ConfirmPrint()
{
    return PagePrinter::ConfirmCodes(this, m_cards.PrintedNumbers(), ReaderCardPages::BarcodeRoom());
}
