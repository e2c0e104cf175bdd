#pragma once

#include "controls/ListQueryPage.h"

#include <QDate>

#include <optional>

// The lending query window's loans past their due date, all of them or of one book, one
// reader number or a reader name, with the export of the last query.
class COverduePage : public CListQueryPage {
    Q_OBJECT
public:
    explicit COverduePage(QWidget* parent = nullptr);

public slots:
    void OnExport();

private:
    // A query as it was asked: the filter, and the day the loans were overdue by.
    struct Query {
        QString filter;
        QDate day;
    };
    static Config ConfigFor(COverduePage* page);

    std::optional<Query> m_lastQuery;
};
