#pragma once

#include "db/AdoRecordset.h"

#include <QObject>

class CReportListCtrl;
class PagedList;
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The periodical stock as the entry window and the query window's first page list it: the
// copies that the search edit's text finds (see PeriodicalStore::search), 50 a page, with
// "上一页", "下一页", the page selector and the total. The whole result of the last search
// is kept for paging.
class PeriodicalStockPages : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QLineEdit* search = nullptr;
        CReportListCtrl* list = nullptr;
        QAbstractButton* previous = nullptr;
        QAbstractButton* next = nullptr;
        QComboBox* pages = nullptr;
        QLabel* total = nullptr;
    };
    // How the page selector lists its pages: 1, 2, ... 10, 11, or as texts sort, 1, 10, 11, 2.
    enum class PageOrder { Numbers, Texts };

    // Declares the list's columns.
    PeriodicalStockPages(QWidget* window, const Controls& controls, PageOrder order);

    // Searches with the edit's text. A search without hits says so and leaves the list, and
    // the result and pages it came from, as they were.
    void Search();
    // Searches again after a copy was deleted; without hits the list empties, since it
    // would still show the deleted copy.
    void SearchAfterDelete();

private:
    void Run(bool afterDelete);
    void ShowPage();

    QWidget* m_window;
    Controls m_controls;
    PagedList* m_paging;
    RecordsetPtr m_result;
};
