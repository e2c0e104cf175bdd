#include "periodicals/PeriodicalStockPages.h"

#include "controls/PagedList.h"
#include "controls/Prompter.h"
#include "controls/ReportListCtrl.h"
#include "controls/SearchEdit.h"
#include "db/AppState.h"
#include "periodicals/PeriodicalStore.h"

namespace {
constexpr int kPageSize = 50;
const QString kFailText = QStringLiteral("操作失败");
}

PeriodicalStockPages::PeriodicalStockPages(QWidget* window, const Controls& controls, PageOrder order)
    : QObject(window),
      m_window(window),
      m_controls(controls),
      m_paging(new PagedList(window, kPageSize, controls.previous, controls.next, controls.pages, controls.total))
{
    m_paging->SetPagesInTextOrder(order == PageOrder::Texts);
    connect(m_paging, &PagedList::pageChanged, this, &PeriodicalStockPages::ShowPage);
    m_controls.list->SetHeadings(PeriodicalStore::listHeadings());
    m_controls.list->LoadColumnInfo();
}

void PeriodicalStockPages::Search() { Run(false); }

void PeriodicalStockPages::SearchAfterDelete() { Run(true); }

void PeriodicalStockPages::Run(bool afterDelete)
{
    QString filter;
    if (!SearchEdit::takeFilter(m_window, m_controls.search, filter))
        return;
    RecordsetPtr result = PeriodicalStore(theApp().m_ado).search(filter);
    long rows = 0;
    try {
        rows = result->GetRecordCount();
    } catch (const DbError&) {
        return showMessage(m_window, kFailText);
    }
    if (rows == 0) {
        showMessage(m_window, QStringLiteral("期刊库没有数据!"));
        if (!afterDelete)
            return;
    }
    m_result = result;
    m_paging->SetResult(static_cast<int>(rows));
}

void PeriodicalStockPages::ShowPage() { m_paging->FillList(m_controls.list, m_result, PeriodicalStore::listRow); }
