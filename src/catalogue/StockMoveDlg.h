#pragma once

#include "catalogue/StockLists.h"
#include "catalogue/StockMover.h"

#include <QDialog>
#include <QList>

#include <memory>
#include <optional>

namespace Ui {
class CStockMoveDlg;
}
class CListExport;

// What a loss or weed-out window shows and which move it makes.
struct StockMoveWindow {
    const StockTables* tables = nullptr;
    OutKind kind = OutKind::Loss;
    QString caption;
    QString stockKeyLabel;
    QString actionText;
    QString outGroupTitle;
    QString dateRadioText;
    QString outKeyLabel;
    QString queryOutText;
    QString stockHeadings;
    QString outHeadings;
    QList<int> outFields;      // fields of the loss or weed-out row, one a column
    QString restoreFailure;    // shown when a restore fails, ends in a line break
    QString skippedLead;       // heads the list of copies that are out
    QString skippedNote;       // a last line under that list; may be empty
    bool exportable = false;   // the lower list can be exported, fields 1-14
};

// The window in which copies leave the stock (lost by the library, or weeded out) and come
// back. The upper list shows copies in stock with check boxes; the chosen ones move to the
// loss or weed-out table, from the bottom of the list up; a copy no longer in stock ends the
// walk there. The lower list shows the rows that left, found by text or by a range of dates,
// each with its ID, so that a restore moves back exactly the row chosen. Enter runs the
// stock query, the default button, except on another button, which it presses.
class CStockMoveDlg : public QDialog {
    Q_OBJECT
public:
    CStockMoveDlg(StockMoveWindow config, QWidget* parent);
    ~CStockMoveDlg() override;

private slots:
    void OnQueryBooks();
    void OnMoveOut();
    void OnDateRadio();
    void OnOtherFieldRadio();
    void OnQueryOut();
    void OnRestore();
    void OnExportExcel();

private:
    void OnInitDialog();
    void FillBookList(const RecordsetPtr& rs);
    void FillOutList(const RecordsetPtr& rs);
    void RefreshAfterMove(bool allStock);
    void ReportSkipped(const QStringList& numbers);

    const StockMoveWindow m_config;
    std::unique_ptr<Ui::CStockMoveDlg> ui;
    StockMover m_mover;
    StockLists m_lists;
    // The key of the last stock query, repeated after a move; none before the first query.
    std::optional<QString> m_stockKey;
    // The result of the last lower-list query, for the export.
    RecordsetPtr m_pRecordset;
    // Owned by the window; none when the window exports nothing.
    CListExport* m_export = nullptr;
};
