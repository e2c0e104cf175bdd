#pragma once

#include "controls/ListQueryPage.h"

// The lending query window's loans past their due date, all of them or of one book, one
// reader number or a reader name, with the export of the last list.
class COverduePage : public CListQueryPage {
    Q_OBJECT
public:
    explicit COverduePage(QWidget* parent = nullptr);

public slots:
    void OnExport();
};
