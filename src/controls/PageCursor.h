#pragma once

#include <QString>

// Which page of a search result a query window shows. The result is kept whole and pages
// are cut from it: page p holds the rows from (p - 1) x page size on, at most a page size
// of them. Before the first search there is no result and nothing moves.
class PageCursor {
public:
    enum class Move { Moved, AtFirst, AtLast, NoResult };

    explicit PageCursor(int pageSize);

    // A new result of that many rows; shows page 1.
    void Reset(int rowCount);
    bool HasResult() const { return m_bHasResult; }

    int GetPageSize() const { return m_nPageSize; }
    // Cuts the same rows into pages of another size; the page shown stays where it still
    // exists, else the last page is shown.
    void SetPageSize(int pageSize);
    int GetRowCount() const { return m_nRowCount; }
    // Pages of the result: rows / page size rounded up, and 1 for at most one page.
    int GetPageCount() const;
    int GetPage() const { return m_nPage; }
    // Index (0-based) of the first row of the page shown, and how many rows it shows.
    int GetFirstRow() const;
    int GetRowsOnPage() const;

    Move Previous();
    Move Next();
    // Shows page p (1-based); false when there is no such page.
    bool SetPage(int page);

    // "共计：%d页  %d条记录".
    QString TotalText() const;
    // The total of the largest result a list is expected to page through, for the width that
    // a total line keeps.
    static QString WidestTotalText();
    // What the user is told when a move was refused; empty when there is nothing to say.
    static QString RefusalText(Move move);

private:
    int m_nPageSize;
    int m_nRowCount = 0;
    int m_nPage = 1;
    bool m_bHasResult = false;
};
