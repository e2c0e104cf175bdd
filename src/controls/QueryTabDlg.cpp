#include "controls/QueryTabDlg.h"

#include "controls/TabControl.h"
#include "ui_QueryTabDlg.h"

#include <QIcon>

CQueryTabDlg::CQueryTabDlg(const QString& title, const QIcon& icon, EnterKeyFilter::Buttons buttons, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CQueryTabDlg>()), m_enterKeys(this, buttons)
{
    ui->setupUi(this);
    TabControl::attach(ui->m_tab);
    setWindowTitle(title);
    setWindowIcon(icon);
}

CQueryTabDlg::~CQueryTabDlg() = default;

void CQueryTabDlg::AddPage(QWidget* page, const QString& tabText)
{
    ui->m_tab->addTab(page, tabText);
    ui->m_tab->setCurrentIndex(0);
}

void CQueryTabDlg::SetCloseCheck(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }

// The title bar's close button and Escape both end here.
void CQueryTabDlg::reject()
{
    if (m_mayClose && !m_mayClose())
        return;
    QDialog::reject();
}
