#pragma once

#include "controls/ListQueryPage.h"

// The book query window's list of lost copies, by book number, reader number or title.
class CBookLostQueryPage : public CListQueryPage {
    Q_OBJECT
public:
    explicit CBookLostQueryPage(QWidget* parent = nullptr);
};
