#pragma once

#include "catalogue/BookStatistics.h"

#include <QWidget>

#include <memory>
#include <optional>

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

    std::unique_ptr<Ui::CBookStatPage> ui;
    std::optional<QList<QStringList>> m_rows;  // of the last grouping shown, sums whole
    QString m_strHeading;
};
