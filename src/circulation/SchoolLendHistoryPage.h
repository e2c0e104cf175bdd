#pragma once

#include "db/AdoRecordset.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CSchoolLendHistoryPage;
}
class CListExport;
class PagedList;

// The rows of the merged lending history, all schools' or one school's, 50 to a page, and
// their export as TAB-separated text.
class CSchoolLendHistoryPage : public QWidget {
    Q_OBJECT
public:
    explicit CSchoolLendHistoryPage(QWidget* parent = nullptr);
    ~CSchoolLendHistoryPage() override;

    static constexpr int kPageSize = 50;

private slots:
    void OnQuery();
    void OnExport();

private:
    void OnInitDialog();
    void FillUnits();
    void ShowPage();

    std::unique_ptr<Ui::CSchoolLendHistoryPage> ui;
    RecordsetPtr m_pResult;
    PagedList* m_paged = nullptr;
    CListExport* m_export = nullptr;
};
