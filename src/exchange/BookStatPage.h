#pragma once

#include "db/AdoRecordset.h"
#include "exchange/BookStatistics.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CBookStatPage;
}

// The book query window's statistics: copies and prices of the catalogue by class number,
// book type, publisher or entry date, or in total, listed and written to a workbook.
class CBookStatPage : public QWidget {
    Q_OBJECT
public:
    explicit CBookStatPage(QWidget* parent = nullptr);
    ~CBookStatPage() override;

private slots:
    void OnExportExcel();

private:
    void OnInitDialog();
    void ShowGrouping(BookStatistics::Grouping grouping);
    QList<QStringList> ResultRows(bool sumsShown) const;

    std::unique_ptr<Ui::CBookStatPage> ui;
    RecordsetPtr m_pRecordset;
    BookStatistics::Grouping m_grouping = BookStatistics::Grouping::Type;
};
