#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class CSchoolLendStatPage;
}

// Counts the merged lending history by school, kind of operation, reader type or day.
class CSchoolLendStatPage : public QWidget {
    Q_OBJECT
public:
    explicit CSchoolLendStatPage(QWidget* parent = nullptr);
    ~CSchoolLendStatPage() override;

private:
    void OnInitDialog();
    // Lists the counts by the grouping at this index of SchoolLendHistory::groupings().
    void ShowGroups(int grouping);

    std::unique_ptr<Ui::CSchoolLendStatPage> ui;
};
