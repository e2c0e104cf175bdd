#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class CPeriodicalSearchPage;
}
class PeriodicalStockPages;

// The periodical query window's first page: the stock searched as the entry window searches
// it, 50 a page, and the whole stock exported to a workbook.
class CPeriodicalSearchPage : public QWidget {
    Q_OBJECT
public:
    explicit CPeriodicalSearchPage(QWidget* parent = nullptr);
    ~CPeriodicalSearchPage() override;

private slots:
    void OnSearch();
    void OnExportExcel();

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CPeriodicalSearchPage> ui;
    PeriodicalStockPages* m_pages;
};
