#pragma once

#include "catalogue/BookStatistics.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CPeriodicalSummaryPage;
}

// The periodical query window's summary: the copies in stock counted and their prices
// summed by 中图分类, 分类名称, publisher or entry date, or in total; the first column of
// the list names the grouping chosen.
class CPeriodicalSummaryPage : public QWidget {
    Q_OBJECT
public:
    explicit CPeriodicalSummaryPage(QWidget* parent = nullptr);
    ~CPeriodicalSummaryPage() override;

private:
    void OnInitDialog();
    void ShowGrouping(BookStatistics::Grouping grouping);

    std::unique_ptr<Ui::CPeriodicalSummaryPage> ui;
};
