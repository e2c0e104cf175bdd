#include "printing/BookBarcodePrintDlg.h"

#include "controls/Prompter.h"
#include "db/AppState.h"
#include "printing/BarcodeLayoutFile.h"
#include "printing/BarcodeSetDlg.h"
#include "printing/OpeningMessage.h"
#include "printing/PagePrinter.h"
#include "printing/PrintSearch.h"

#include <QMouseEvent>

CBookBarcodePrintDlg::CBookBarcodePrintDlg(QWidget* parent)
    : CTwoListPrintDlg({QStringLiteral("打印图书编号条码"), BookItem::Headings(),
                        QStringLiteral("可输入A、C、TP、F……Z等类"), {}, false, false, false},
                       parent)
{
    if (!m_labels.ReadLayout(BarcodeLayoutFile::BookNumbers))
        showWhenShown(this, BarcodeLayoutFile::UnreadableText());
    Start(m_books, m_labels);
}

std::vector<QStringList> CBookBarcodePrintDlg::Search(const QString& filter, const QString&)
{
    return PrintSearch::BooksForBarcodes(theApp().m_ado, filter);
}

QString CBookBarcodePrintDlg::NothingFoundText() const { return QStringLiteral("没有找到相关信息的图书!"); }

void CBookBarcodePrintDlg::PrintListChanged()
{
    QStringList numbers;
    for (const BookItem& book : m_books.Items())
        numbers << book.number;
    m_labels.SetCodes(numbers);
}

void CBookBarcodePrintDlg::OnSetting()
{
    CBarcodeSetDlg settings(BarcodeLayoutFile::BookNumbers, this);
    if (settings.exec() != QDialog::Accepted)
        return;
    if (!m_labels.ReadLayout(BarcodeLayoutFile::BookNumbers))
        showMessage(this, BarcodeLayoutFile::UnreadableText());
    PagesChanged();
}

bool CBookBarcodePrintDlg::ConfirmPrint()
{
    return PagePrinter::ConfirmCodes(this, m_labels.Codes(), m_labels.CodePitch());
}

void CBookBarcodePrintDlg::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return CTwoListPrintDlg::mouseDoubleClickEvent(event);
    Preview().ToggleZoom();
}
