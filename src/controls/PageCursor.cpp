#include "controls/PageCursor.h"

#include <algorithm>

PageCursor::PageCursor(int pageSize)
    : m_nPageSize(std::max(1, pageSize))
{
}

void PageCursor::Reset(int rowCount)
{
    m_nRowCount = std::max(0, rowCount);
    m_nPage = 1;
    m_bHasResult = true;
}

void PageCursor::SetPageSize(int pageSize)
{
    m_nPageSize = std::max(1, pageSize);
    m_nPage = std::min(m_nPage, GetPageCount());
}

int PageCursor::GetPageCount() const
{
    return std::max(1, (m_nRowCount + m_nPageSize - 1) / m_nPageSize);
}

int PageCursor::GetFirstRow() const
{
    return (m_nPage - 1) * m_nPageSize;
}

int PageCursor::GetRowsOnPage() const
{
    return std::clamp(m_nRowCount - GetFirstRow(), 0, m_nPageSize);
}

PageCursor::Move PageCursor::Previous()
{
    if (!m_bHasResult)
        return Move::NoResult;
    if (m_nPage <= 1)
        return Move::AtFirst;
    --m_nPage;
    return Move::Moved;
}

PageCursor::Move PageCursor::Next()
{
    if (!m_bHasResult)
        return Move::NoResult;
    if (m_nPage >= GetPageCount())
        return Move::AtLast;
    ++m_nPage;
    return Move::Moved;
}

bool PageCursor::SetPage(int page)
{
    if (!m_bHasResult || page < 1 || page > GetPageCount())
        return false;
    m_nPage = page;
    return true;
}

namespace {
QString totalText(int pages, int rows) { return QStringLiteral("共计：%1页  %2条记录").arg(pages).arg(rows); }
}

QString PageCursor::TotalText() const { return totalText(GetPageCount(), m_nRowCount); }

QString PageCursor::WidestTotalText() { return totalText(99999, 9999999); }

QString PageCursor::RefusalText(Move move)
{
    switch (move) {
    case Move::AtFirst:
        return QStringLiteral("已是第一页！");
    case Move::AtLast:
        return QStringLiteral("已是最后一页！");
    case Move::Moved:
    case Move::NoResult:
        break;
    }
    return {};
}
