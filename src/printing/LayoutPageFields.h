#pragma once

#include "printing/LayoutRecord.h"

#include <QGroupBox>

#include <memory>
#include <optional>

class QComboBox;

namespace Ui {
class LayoutPageFields;
}

// "页面设置(单位：mm)" of the layout settings windows: the paper, its size, the label grid,
// margins, gaps and the label size, in the formats the layout files have always been shown in.
class LayoutPageFields : public QGroupBox {
    Q_OBJECT
public:
    explicit LayoutPageFields(QWidget* parent = nullptr);
    ~LayoutPageFields() override;

    QComboBox* Paper() const;

    // Whether the page is drawn at the size set here (spine labels), so that it must be one.
    void SetPageSized(bool pageSized) { m_bPageSized = pageSized; }

    // Shows the record's sizes (not its paper).
    void Show(const LayoutRecord& record);
    // The record with the sizes typed, a text that is no number taken as 0; nullopt after
    // saying what cannot be laid out (LayoutRecord::RangeProblem, PageSizeProblem), with the
    // focus on the field.
    std::optional<LayoutRecord> Take(const LayoutRecord& record);
    // Says what is wrong and puts the focus on the field.
    std::nullopt_t Refuse(QWidget* field, const QString& message);

private:
    std::unique_ptr<Ui::LayoutPageFields> ui;
    bool m_bPageSized = false;
};
