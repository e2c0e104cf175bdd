#include "printing/LayoutPageFields.h"

#include "ui_LayoutPageFields.h"

#include "controls/Prompter.h"
#include "printing/NumberInput.h"

#include <functional>

namespace {
QString decimalText(double value, int decimals) { return QString::number(value, 'f', decimals); }

// "上 边 距:" names the field 上边距 in messages.
QString fieldName(const QLabel* label) { return label->text().remove(QLatin1Char(' ')).remove(QLatin1Char(':')); }
}

LayoutPageFields::LayoutPageFields(QWidget* parent)
    : QGroupBox(parent)
    , ui(std::make_unique<Ui::LayoutPageFields>())
{
    ui->setupUi(this);
}

LayoutPageFields::~LayoutPageFields() = default;

QComboBox* LayoutPageFields::Paper() const { return ui->m_comboPaper; }

void LayoutPageFields::Show(const LayoutRecord& record)
{
    ui->m_editPageHeight->setText(decimalText(record.PageHeight(), 0));
    ui->m_editPageWidth->setText(decimalText(record.PageWidth(), 0));
    ui->m_editRows->setText(QString::number(record.Rows()));
    ui->m_editColumns->setText(QString::number(record.Columns()));
    ui->m_editTop->setText(decimalText(record.TopMargin(), 2));
    ui->m_editLeft->setText(decimalText(record.LeftMargin(), 2));
    ui->m_editRowGap->setText(decimalText(record.RowGap(), 2));
    ui->m_editColumnGap->setText(decimalText(record.ColumnGap(), 2));
    ui->m_editLabelWidth->setText(QString::number(record.LabelWidth()));
    ui->m_editLabelHeight->setText(QString::number(record.LabelHeight()));
}

std::nullopt_t LayoutPageFields::Refuse(QWidget* field, const QString& message)
{
    showMessage(window(), message);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    return std::nullopt;
}

std::optional<LayoutRecord> LayoutPageFields::Take(const LayoutRecord& base)
{
    // "%d" fields are read as whole numbers ("40.7" is 40), the others as decimals.
    using Setter = std::function<void(LayoutRecord&, const QString&)>;
    const auto whole = [](void (LayoutRecord::*set)(int)) -> Setter {
        return [set](LayoutRecord& r, const QString& text) { (r.*set)(NumberInput::LeadingInt(text).value_or(0)); };
    };
    const auto decimal = [](void (LayoutRecord::*set)(double)) -> Setter {
        return [set](LayoutRecord& r, const QString& text) { (r.*set)(NumberInput::LeadingDouble(text).value_or(0)); };
    };
    const struct {
        QLineEdit* edit;
        QLabel* label;
        Setter set;
    } fields[] = {{ui->m_editPageHeight, ui->labelPageHeight, decimal(&LayoutRecord::SetPageHeight)},
                  {ui->m_editPageWidth, ui->labelPageWidth, decimal(&LayoutRecord::SetPageWidth)},
                  {ui->m_editRows, ui->labelRows, whole(&LayoutRecord::SetRows)},
                  {ui->m_editColumns, ui->labelColumns, whole(&LayoutRecord::SetColumns)},
                  {ui->m_editTop, ui->labelTop, decimal(&LayoutRecord::SetTopMargin)},
                  {ui->m_editLeft, ui->labelLeft, decimal(&LayoutRecord::SetLeftMargin)},
                  {ui->m_editRowGap, ui->labelRowGap, decimal(&LayoutRecord::SetRowGap)},
                  {ui->m_editColumnGap, ui->labelColumnGap, decimal(&LayoutRecord::SetColumnGap)},
                  {ui->m_editLabelWidth, ui->labelLabelWidth, whole(&LayoutRecord::SetLabelWidth)},
                  {ui->m_editLabelHeight, ui->labelLabelHeight, whole(&LayoutRecord::SetLabelHeight)}};
    LayoutRecord record = base;
    for (const auto& field : fields)
        field.set(record, field.edit->text());
    QString problem = record.RangeProblem();
    if (problem.isEmpty() && m_bPageSized)
        problem = record.PageSizeProblem();
    if (problem.isEmpty())
        return record;
    QWidget* named = ui->m_editPageHeight;
    for (const auto& field : fields)
        if (problem.startsWith(fieldName(field.label)))
            named = field.edit;
    return Refuse(named, problem);
}
