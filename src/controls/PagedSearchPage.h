#pragma once

#include "controls/EnterKeyFilter.h"
#include "controls/ListQuery.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CPagedSearchPage;
}
class CSkinButton;
class PagedList;
class QProgressBar;

// A query page that keeps the whole result of its last search and shows it a page at a
// time: a search edit ("(全部)" for every row) with its button, the list, "上一页" and
// "下一页", a page selector, the total, and an export button with its progress bar. Each
// query window configures one with its query, columns and page size; the list holds the
// page shown and nothing more, the result stays whole for paging and export.
class CPagedSearchPage : public QWidget {
    Q_OBJECT
public:
    struct Config {
        QString searchLabel;
        QString searchCaption;
        QString searchTip;
        QString exportCaption;
        QString headings;
        int pageSize = 50;
        QString notFound = QStringLiteral("没有找到相关信息的图书!");
        // The edit empties when it gains the focus and shows "(全部)" again when left
        // empty; otherwise its text stays as the user leaves it.
        bool editClearsOnFocus = true;
        // The page selector lists its pages as texts sort (1, 10, 11, 2, ...).
        bool pagesInTextOrder = false;
        // The page selector takes typing (a drop-down combo), else it is a drop-down list.
        bool pagesEditable = false;
        ListQuery query;
        ListRow listRow;
    };

    CPagedSearchPage(Config config, QWidget* parent = nullptr);
    ~CPagedSearchPage() override;

    // The last search's whole result; null before the first search.
    const RecordsetPtr& Result() const { return m_result; }
    CSkinButton* ExportButton() const;
    QProgressBar* ExportProgress() const;

public slots:
    void OnSearch();

private:
    void OnInitDialog();
    void FillPage();

    std::unique_ptr<Ui::CPagedSearchPage> ui;
    const Config m_config;
    EnterKeyFilter m_enterKeys{this};
    PagedList* m_paging = nullptr;
    RecordsetPtr m_result;
};
