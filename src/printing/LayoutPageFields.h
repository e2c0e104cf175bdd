#pragma once

#include "printing/LayoutRecord.h"

#include <QGroupBox>

#include <memory>
#include <optional>

class QComboBox;
class QLineEdit;

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
    QLineEdit* LabelWidthEdit() const;

    // Shows the record's sizes (not its paper).
    void Show(const LayoutRecord& record);
    // The record with the sizes typed; nullopt after saying what is wrong, with the focus on
    // the field: a field holding no number, a value out of range, labels past the page.
    std::optional<LayoutRecord> Take(const LayoutRecord& record);
    // Says what is wrong and puts the focus on the field.
    std::nullopt_t Refuse(QWidget* field, const QString& message);

private:
    std::unique_ptr<Ui::LayoutPageFields> ui;
};
