#pragma once

#include "circulation/LoanQueries.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CLendSummaryPage;
}

// The lending query window's summary: lendings counted by department, reader type, reader
// or title, of all time or of a period, listed and written to a workbook.
class CLendSummaryPage : public QWidget {
    Q_OBJECT
public:
    explicit CLendSummaryPage(QWidget* parent = nullptr);
    ~CLendSummaryPage() override;

private slots:
    void OnUseDates();
    void OnExportExcel();

private:
    void OnInitDialog();
    void ShowGrouping(LoanQueries::Grouping grouping);
    std::optional<LoanQueries::Period> ChosenPeriod() const;

    std::unique_ptr<Ui::CLendSummaryPage> ui;
    std::optional<QList<QStringList>> m_rows;  // of the last grouping shown
    QString m_strHeading;
};
