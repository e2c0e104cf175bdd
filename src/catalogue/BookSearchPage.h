#pragma once

#include "controls/PagedSearchPage.h"

class CListExport;

// The book query window's catalogue search: copies by ISBN, number, title, publisher,
// author or entry date, 100 a page. Its export is built but not offered: the button stays
// hidden and disabled, OnExport is there for when it is shown; its progress bar stands idle.
class CBookSearchPage : public CPagedSearchPage {
    Q_OBJECT
public:
    explicit CBookSearchPage(QWidget* parent = nullptr);

public slots:
    void OnExport();

private:
    CListExport* m_export = nullptr;
};
