#include "printing/BarcodeSetDlg.h"

#include "ui_BarcodeSetDlg.h"

#include "controls/Prompter.h"
#include "printing/BarcodeLayoutFile.h"
#include "printing/LabelGrid.h"
#include "printing/NumberInput.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
QString decimalText(double value, int decimals) { return QString::number(value, 'f', decimals); }

// "上 边 距:" names the field 上边距 in messages.
QString fieldName(const QLabel* label) { return label->text().remove(QLatin1Char(' ')).remove(QLatin1Char(':')); }
}

CBarcodeSetDlg::CBarcodeSetDlg(int mode, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::CBarcodeSetDlg>())
    , m_strPath(BarcodeLayoutFile::Path(mode))
{
    ui->setupUi(this);
    ui->m_btnOk->SetIconHandles(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui->m_btnDefault->SetIconHandles(style()->standardIcon(QStyle::SP_DialogResetButton));
    ui->m_btnCancel->SetIconHandles(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(ui->m_btnOk, &QPushButton::clicked, this, &CBarcodeSetDlg::OnOK);
    connect(ui->m_btnDefault, &QPushButton::clicked, this, &CBarcodeSetDlg::OnDefault);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->m_btnFont, &QPushButton::clicked, this, &CBarcodeSetDlg::OnFont);
    connect(ui->m_btnColor, &QPushButton::clicked, this, &CBarcodeSetDlg::OnColor);
    connect(ui->m_editTitle, &QLineEdit::textChanged, this, &CBarcodeSetDlg::OnSampleChanged);
    connect(ui->m_editLabelWidth, &QLineEdit::textChanged, this, &CBarcodeSetDlg::OnSampleChanged);
    OnInitDialog();
}

CBarcodeSetDlg::~CBarcodeSetDlg() = default;

void CBarcodeSetDlg::OnInitDialog()
{
    ui->m_editFontSample->setText(QStringLiteral("字体样式"));
    if (const std::optional<LayoutRecord> read = LayoutRecord::Read(m_strPath)) {
        m_record = *read;
        ShowRecord(m_record);
    } else {
        // Without a file the fields stay empty, but the sample and a save still need a font.
        m_record.SetFont(LogFont());
        ui->m_comboPaper->setCurrentText(QString());
    }
    ShowFont();
    OnSampleChanged();
}

void CBarcodeSetDlg::ShowRecord(const LayoutRecord& record)
{
    ui->m_comboPaper->setCurrentText(record.Text(LayoutRecord::PaperSlot));
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
    ui->m_editTitle->setText(record.Text(LayoutRecord::TitleSlot));
}

void CBarcodeSetDlg::ShowFont()
{
    ui->m_editFontSample->setFont(m_record.Font().ToQFont(1));
    QPalette palette = ui->m_editFontSample->palette();
    palette.setColor(QPalette::Text, m_record.Color());
    ui->m_editFontSample->setPalette(palette);
    ui->m_sample->SetLabelFont(m_record.Font());
}

void CBarcodeSetDlg::OnSampleChanged()
{
    ui->m_sample->SetCaption(ui->m_editTitle->text());
    const std::optional<int> width = NumberInput::LeadingInt(ui->m_editLabelWidth->text());
    const int mm = width && *width >= 1 && *width <= 300 ? *width : LayoutRecord::Defaults().LabelWidth();
    ui->m_sample->SetLabelWidth(static_cast<int>(std::lround(mm * LabelGrid::kBarcodePixelsPerMm)));
}

void CBarcodeSetDlg::OnDefault()
{
    const LayoutRecord defaults = LayoutRecord::Defaults();
    m_record.SetText(LayoutRecord::UpperSlot, defaults.Text(LayoutRecord::UpperSlot));
    m_record.SetText(LayoutRecord::LowerSlot, defaults.Text(LayoutRecord::LowerSlot));
    m_record.SetFont(defaults.Font());
    m_record.SetColor(defaults.Color());
    ui->m_editFontSample->setText(QStringLiteral("字体样式"));
    ShowRecord(defaults);
    ShowFont();
}

void CBarcodeSetDlg::OnFont()
{
    const LogFont current = m_record.Font();
    QFont font = current.ToQFont(1);
    // The dialog lists installed families: 宋体 is shown as the font that stands in for it.
    font.setFamily(QFontInfo(font).family());
    font.setPointSizeF(current.PointSize());
    bool chosen = false;
    const QFont picked = QFontDialog::getFont(&chosen, font, this, QStringLiteral("字体"));
    if (!chosen)
        return;
    LogFont taken = current;
    if (!taken.TakeFrom(picked))
        return showMessage(this, QStringLiteral("字体“%1”的名称不能保存在配置文件中！").arg(picked.family()));
    m_record.SetFont(taken);
    ShowFont();
}

void CBarcodeSetDlg::OnColor()
{
    const QColor color = QColorDialog::getColor(m_record.Color(), this, QStringLiteral("颜色"));
    if (!color.isValid())
        return;
    m_record.SetColor(color);
    ShowFont();
}

std::nullopt_t CBarcodeSetDlg::Refuse(QWidget* field, const QString& message)
{
    showMessage(this, message);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    return std::nullopt;
}

std::optional<LayoutRecord> CBarcodeSetDlg::TakeFields()
{
    using Setter = std::function<void(LayoutRecord&, double)>;
    // "%d" fields keep the whole part of what was typed ("40.7" is 40).
    const auto whole = [](void (LayoutRecord::*set)(int)) -> Setter {
        return [set](LayoutRecord& r, double v) { (r.*set)(static_cast<int>(std::clamp(std::trunc(v), -1e9, 1e9))); };
    };
    const auto decimal = [](void (LayoutRecord::*set)(double)) -> Setter {
        return [set](LayoutRecord& r, double v) { (r.*set)(v); };
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
    LayoutRecord record = m_record;
    for (const auto& field : fields) {
        const std::optional<double> value = NumberInput::LeadingDouble(field.edit->text());
        if (!value)
            return Refuse(field.edit, fieldName(field.label) + QStringLiteral("必须是数字！"));
        field.set(record, *value);
    }
    if (const QString range = record.RangeProblem(); !range.isEmpty()) {
        QWidget* named = ui->m_editPageHeight;
        for (const auto& field : fields)
            if (range.startsWith(fieldName(field.label)))
                named = field.edit;
        return Refuse(named, range);
    }
    if (const QString overflow = record.WidthOverflow(); !overflow.isEmpty())
        return Refuse(ui->m_editLabelWidth, overflow);
    if (const QString overflow = record.HeightOverflow(); !overflow.isEmpty())
        return Refuse(ui->m_editLabelHeight, overflow);
    const QString paper = ui->m_comboPaper->currentText();
    const QString title = ui->m_editTitle->text();
    if (const QString problem = LayoutRecord::SlotTextProblem(paper); !problem.isEmpty())
        return Refuse(ui->m_comboPaper, QStringLiteral("纸张类型%1！").arg(problem));
    if (const QString problem = LayoutRecord::SlotTextProblem(title); !problem.isEmpty())
        return Refuse(ui->m_editTitle, QStringLiteral("标题%1！").arg(problem));
    record.SetText(LayoutRecord::PaperSlot, paper);
    record.SetText(LayoutRecord::TitleSlot, title);
    return record;
}

void CBarcodeSetDlg::OnOK()
{
    const std::optional<LayoutRecord> record = TakeFields();
    if (!record)
        return;
    if (!record->Write(m_strPath))
        return showMessage(this, QStringLiteral("保存条码配置文件出错！请检查data文件夹能否写入。"));
    accept();
}
