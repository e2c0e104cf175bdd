#include "printing/LabelSettingDlg.h"

#include "ui_LabelSettingDlg.h"

#include "controls/Prompter.h"
#include "printing/SpineLabelStyle.h"
#include "printing/SpineLayout.h"

#include <QStyle>

CLabelSettingDlg::CLabelSettingDlg(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::CLabelSettingDlg>())
{
    ui->setupUi(this);
    ui->m_btnOk->SetIconHandles(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui->m_btnDefault->SetIconHandles(style()->standardIcon(QStyle::SP_DialogResetButton));
    ui->m_btnCancel->SetIconHandles(style()->standardIcon(QStyle::SP_DialogCancelButton));
    ui->m_pageFields->Paper()->setEditable(false);
    ui->m_comboStyle->addItems(SpineLabelStyle::Names());
    connect(ui->m_btnOk, &QPushButton::clicked, this, &CLabelSettingDlg::OnOK);
    connect(ui->m_btnDefault, &QPushButton::clicked, this, &CLabelSettingDlg::OnDefault);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->m_comboStyle, &QComboBox::currentIndexChanged, this, &CLabelSettingDlg::ShowSketch);
    connect(ui->m_radioTemplate1, &QRadioButton::toggled, this, &CLabelSettingDlg::OnTemplateChanged);
    connect(ui->m_editHeading, &QLineEdit::textChanged, this, &CLabelSettingDlg::ShowSketch);
    OnInitDialog();
}

CLabelSettingDlg::~CLabelSettingDlg() = default;

void CLabelSettingDlg::OnInitDialog()
{
    const std::optional<LayoutRecord> read = SpineLayout::Read();
    if (read) {
        m_record = *read;
        ui->m_pageFields->Show(m_record);
    } else {
        // Without a file the sizes stay empty, but the sample and a save still need a font.
        m_record.SetFont(LogFont());
        m_record.SetText(SpineLayout::HeadingSlot, QStringLiteral("学校图书馆"));
    }
    ui->m_fontField->Set(m_record.Font(), m_record.Color());
    ui->m_editHeading->setText(m_record.Text(SpineLayout::HeadingSlot));
    const bool second = read && read->Text(SpineLayout::TemplateSlot) == SpineLayout::Template2();
    (second ? ui->m_radioTemplate2 : ui->m_radioTemplate1)->setChecked(true);
    // A file without one of the ten styles reads as 样式一, so a save never stores none.
    ui->m_comboStyle->setCurrentText(read ? read->Text(SpineLayout::StyleSlot) : SpineLabelStyle::Names().first());
    OnTemplateChanged();
}

QString CLabelSettingDlg::TemplateName() const
{
    return ui->m_radioTemplate2->isChecked() ? SpineLayout::Template2() : SpineLayout::Template1();
}

void CLabelSettingDlg::OnTemplateChanged()
{
    ui->m_editHeading->setEnabled(TemplateName() == SpineLayout::Template2());
    ShowSketch();
}

void CLabelSettingDlg::ShowSketch()
{
    const SpineLabelStyle::Lines lines = SpineLabelStyle::Descriptions(ui->m_comboStyle->currentText());
    const bool second = TemplateName() == SpineLayout::Template2();
    ui->m_labelSketch1->setText(second ? ui->m_editHeading->text() : lines.upper);
    ui->m_labelSketch2->setText(second ? lines.upper : QString());
    ui->m_labelSketch2->setVisible(second);
    ui->m_labelSketch3->setText(lines.lower);
}

void CLabelSettingDlg::OnDefault()
{
    ui->m_pageFields->Show(LayoutRecord::Defaults());
    ui->m_fontField->Set(LogFont(), Qt::black);
    ui->m_editHeading->setText(QStringLiteral("学校图书馆"));
}

std::optional<LayoutRecord> CLabelSettingDlg::TakeFields()
{
    std::optional<LayoutRecord> record = ui->m_pageFields->Take(m_record);
    if (!record)
        return std::nullopt;
    const QString heading = ui->m_editHeading->text();
    if (const QString problem = LayoutRecord::SlotTextProblem(heading); !problem.isEmpty())
        return ui->m_pageFields->Refuse(ui->m_editHeading, QStringLiteral("标题内容%1！").arg(problem));
    SpineLayout::SetStyle(*record, ui->m_comboStyle->currentText());
    record->SetText(SpineLayout::TemplateSlot, TemplateName());
    record->SetText(SpineLayout::HeadingSlot, heading);
    record->SetFont(ui->m_fontField->Font());
    record->SetColor(ui->m_fontField->Color());
    return record;
}

void CLabelSettingDlg::OnOK()
{
    const std::optional<LayoutRecord> record = TakeFields();
    if (!record)
        return;
    if (!record->Write(SpineLayout::Path()))
        return showMessage(this, QStringLiteral("保存书标配置文件出错！请检查data文件夹能否写入。"));
    accept();
}
