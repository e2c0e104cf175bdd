#include "circulation/SchoolLendStatPage.h"

#include "ui_SchoolLendStatPage.h"

#include "circulation/SchoolLendHistory.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

CSchoolLendStatPage::CSchoolLendStatPage(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::CSchoolLendStatPage>())
{
    ui->setupUi(this);
    const QRadioButton* radios[] = {ui->m_radioUnit, ui->m_radioKind, ui->m_radioReaderType, ui->m_radioTime};
    for (int i = 0; i < 4; ++i)
        connect(radios[i], &QRadioButton::clicked, this, [this, i] { ShowGroups(i); });
    OnInitDialog();
}

CSchoolLendStatPage::~CSchoolLendStatPage() = default;

void CSchoolLendStatPage::OnInitDialog()
{
    ui->m_list->SetHeadings(QStringLiteral("单位名称,120;记录个数,100"));
    ui->m_list->LoadColumnInfo();
}

// A failed count leaves the list as it was: its rows stay under the heading they belong to.
void CSchoolLendStatPage::ShowGroups(int grouping)
{
    const SchoolLendHistory::Grouping& by = SchoolLendHistory::groupings()[grouping];
    QList<QStringList> groups;
    try {
        groups = SchoolLendHistory(theApp().m_ado).countBy(by);
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败！"));
    }
    ui->m_list->ReplaceGroupedRows(by.heading, 120, groups);
}
