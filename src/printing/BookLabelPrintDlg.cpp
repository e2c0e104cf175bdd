#include "printing/BookLabelPrintDlg.h"

#include "db/AppState.h"
#include "printing/LabelSettingDlg.h"
#include "printing/PrintSearch.h"
#include "printing/SpineLayout.h"

CBookLabelPrintDlg::CBookLabelPrintDlg(QWidget* parent)
    : CTwoListPrintDlg({QStringLiteral("打印书标"), BookItem::Headings(),
                        QStringLiteral("可输入A、C、TP、F……Z等类,或选择日期如某个月份"), PrintSearch::SpineColumns(), true, true, true},
                       parent)
{
    m_labels.SetLayout(SpineLayout::Read());
    Start(m_books, m_labels, SpineLabelPages::kDotsPerInch, PagePreview::ViewRule::SpinePage);
}

std::vector<QStringList> CBookLabelPrintDlg::Search(const QString& filter, const QString& column)
{
    return PrintSearch::BooksForSpineLabels(theApp().m_ado, column, filter);
}

QString CBookLabelPrintDlg::NothingFoundText() const { return QStringLiteral("没有找到相关信息的图书!"); }

void CBookLabelPrintDlg::OnSetting()
{
    CLabelSettingDlg settings(this);
    if (settings.exec() != QDialog::Accepted)
        return;
    // The file the settings have just written; the layout in use stays when it cannot be read.
    if (const std::optional<LayoutRecord> layout = SpineLayout::Read())
        m_labels.SetLayout(*layout);
    PagesChanged();
}
