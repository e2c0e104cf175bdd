#pragma once

#include "controls/EnterKeyFilter.h"
#include "printing/PagePreview.h"

#include <QDialog>

#include <memory>
#include <vector>

class PageSource;
class PagedList;
class PrintList;

namespace Ui {
class CTwoListPrintDlg;
}

// The window that prints rows of the database: a search fills the candidate list
// ("备选窗口"), marked rows (or, with its select-all box ticked, the whole search result) are
// added to the print list ("打印窗口"), whose pages the preview shows and "打印" prints. Both
// lists are paged by the number of items a printed page holds. The subclass gives its search,
// its print list and pages, and its settings.
class CTwoListPrintDlg : public QDialog {
    Q_OBJECT
public:
    ~CTwoListPrintDlg() override;

protected:
    struct Texts {
        QString title;
        QString headings;       // of both lists
        QString searchTip;
        QStringList columns;    // the columns to search by; none: the search text alone
        bool enterSearches;     // Enter in the search text starts the search
        bool moveTips;          // the add and remove buttons explain themselves in a tip
        // Paging the print list shows the new page in the preview at once; otherwise the
        // preview keeps the page it shows until it is drawn again ("预览", a search's paging).
        bool printPagingPreviews;
    };
    CTwoListPrintDlg(const Texts& texts, QWidget* parent);

    // Ties the window to the subclass's print list and pages (members of the subclass),
    // whose page pixels are at `dotsPerInch`, and shows the first page as the rule says.
    void Start(PrintList& items, PageSource& pages, double dotsPerInch = 120,
               PagePreview::ViewRule rule = PagePreview::ViewRule::Fitted);
    // After the pages' layout changed: both lists are paged anew by ItemsPerPage, keeping
    // the pages shown where they still exist, and the preview is drawn again.
    void PagesChanged();

    PagePreview& Preview() const;

    virtual int ItemsPerPage() const = 0;
    // The rows found for the filter (empty: every row) in the chosen column; throws DbError.
    virtual std::vector<QStringList> Search(const QString& filter, const QString& column) = 0;
    // Told when a search finds nothing.
    virtual QString NothingFoundText() const = 0;
    virtual void OnSetting() = 0;
    // The print list has changed; the pages must follow it.
    virtual void PrintListChanged() {}
    // Asked before the print dialog; false prints nothing.
    virtual bool ConfirmPrint() { return true; }

protected slots:
    // Draws the current print page again.
    void ShowPreview();

private slots:
    void OnSearch();
    void OnAddToPrintList();
    void OnRemoveFromPrintList();
    void OnPrint();

private:
    void FillCandidatePage(int page);
    void FillPrintPage(int page);
    // After adding or removing: the print list from page 1.
    void ShowPrintList();

    std::unique_ptr<Ui::CTwoListPrintDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    PrintList* m_items = nullptr;
    PageSource* m_pages = nullptr;
    double m_dDotsPerInch = 120;
    bool m_bPrintPagingPreviews;
    PagedList* m_candidatePaging = nullptr;
    PagedList* m_printPaging = nullptr;
    std::vector<QStringList> m_result;
};
