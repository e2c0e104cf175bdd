#pragma once

#include "catalogue/BookStore.h"
#include "controls/SearchText.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>

namespace Ui {
class CStockCancelDlg;
}
class CReportListCtrl;

// What a cancel window shows and how it finds and deletes copies.
struct StockCancelWindow {
    QString caption;
    QString keywordLabel;
    QString actionText;
    QString headings;
    QList<int> fields;          // fields of the stock row, one a column
    int numberColumn = 1;       // the list column holding the copy's number
    QString notFound;           // said when a search finds nothing
    QString skippedLead;        // heads the list of copies that are out
    // Copies matching the keyword (empty: every copy); throws nothing, a failed query
    // gives a recordset that is not open.
    std::function<RecordsetPtr(const QString& keyword)> search;
    std::function<DeleteOutcome(const QString& number)> remove;
    // The list after a cancel, by the keyword; empty: the search again.
    std::function<RecordsetPtr(const QString& keyword)> refill;
    bool reportsCount = true;   // say how many copies went
    // The search edit starts with "(全部)", which lists every copy, and empties on the
    // focus; else it starts empty, keeps what is typed and searches "(全部)" as text.
    bool editShowsAll = true;
};

// Deletes copies from the catalogue for good: the librarian searches, ticks or selects rows
// and cancels them. Copies that are lent or reserved stay and are named. Enter runs the
// search, the default button, except on another button, which it presses.
class CStockCancelDlg : public QDialog {
    Q_OBJECT
public:
    CStockCancelDlg(StockCancelWindow config, QWidget* parent);
    ~CStockCancelDlg() override;

protected slots:
    void OnFind();

protected:
    CReportListCtrl* List() const;
    const StockCancelWindow& Config() const { return m_config; }
    // Names the copies that stayed in stock because they are out.
    void SayKept(const QStringList& out);

private slots:
    void OnCancelStock();
    void OnSelectAll();
    void OnClearAll();
    void OnExit();

private:
    void OnInitDialog();
    void FillBookList(const RecordsetPtr& rs);
    SearchText::AllText AllTextMeans() const;

    const StockCancelWindow m_config;
    std::unique_ptr<Ui::CStockCancelDlg> ui;
    RecordsetPtr m_pRecordset;
};
