#pragma once

#include "db/RowBlock.h"
#include "maintenance/AssetReport.h"
#include "controls/PageDialog.h"

#include <memory>

class CListExport;
class PagedList;
namespace Ui {
class CAssetReportDlg;
}

// What sets the two report windows apart besides their tables.
struct AssetReportTexts {
    QString generateCaption;
    QString searchCaption;
    QString headings;
};

// The asset report window: builds the report, lists it 50 rows a page, searches it by name
// or number, filters it by acquisition date with the totals following, and exports the rows
// listed with their totals. The logic is AssetReport's; the window keeps its own totals.
// A window of its own, or a page of the 盘库 window.
class CAssetReportDlg : public CPageDialog {
    Q_OBJECT
public:
    CAssetReportDlg(AssetReport::Spec spec, AssetReportTexts texts, QWidget* parent);
    ~CAssetReportDlg() override;

private slots:
    void OnGenerate();
    void OnSearch();
    void OnQuery();
    void OnRadioAll();
    void OnRadioPeriod();
    void OnExportExcel();

private:
    void OnInitDialog();
    // Keeps the result and shows its page 1; false, with the list emptied and the pages
    // and totals left as they were, when it has no rows.
    bool ShowResult(const RecordsetPtr& result);
    void ShowTotals(const std::optional<DateRange>& range);
    void ShowPage();
    AssetReport Report() const;

    std::unique_ptr<Ui::CAssetReportDlg> ui;
    AssetReport::Spec m_spec;
    PagedList* m_pages = nullptr;
    RecordsetPtr m_pRecordset;
    std::shared_ptr<const RowBlock> m_rows;
    CListExport* m_export = nullptr;
};

class CBookAssetReportDlg : public CAssetReportDlg {
    Q_OBJECT
public:
    explicit CBookAssetReportDlg(QWidget* parent = nullptr);
};

class CPeriodicalAssetReportDlg : public CAssetReportDlg {
    Q_OBJECT
public:
    explicit CPeriodicalAssetReportDlg(QWidget* parent = nullptr);
};
