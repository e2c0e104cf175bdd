#pragma once

#include "controls/ListQueryPage.h"

// The periodical query window's losses (by the library, reader "9999", or by a reader),
// searched by periodical or reader number or by title; an empty search lists them all.
class CPeriodicalLostQueryPage : public CListQueryPage {
    Q_OBJECT
public:
    explicit CPeriodicalLostQueryPage(QWidget* parent = nullptr);
};
