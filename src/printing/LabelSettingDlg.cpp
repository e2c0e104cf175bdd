#include "printing/LabelSettingDlg.h"

#include "ui_LabelSettingDlg.h"

#include "controls/ButtonIcons.h"
#include "printing/SpineLayout.h"

CLabelSettingDlg::CLabelSettingDlg(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::CLabelSettingDlg>())
{
    ui->setupUi(this);
    ui->m_btnOk->SetIconHandles(resourceIcon(199));
    ui->m_btnCancel->SetIconHandles(resourceIcon(215));
    ui->m_pageFields->Paper()->setEditable(false);
    ui->m_pageFields->SetPageSized(true);
    ui->m_comboStyle->addItems(SpineLabelStyle::Names());
    ui->m_comboStyle->setCurrentIndex(-1);
    connect(ui->m_btnOk, &QPushButton::clicked, this, &CLabelSettingDlg::OnOK);
    connect(ui->m_btnDefault, &QPushButton::clicked, this, &CLabelSettingDlg::OnDefault);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->m_comboStyle, &QComboBox::currentIndexChanged, this, &CLabelSettingDlg::OnStyleChanged);
    connect(ui->m_radioTemplate1, &QRadioButton::toggled, this, &CLabelSettingDlg::OnTemplateChanged);
    connect(ui->m_editHeading, &QLineEdit::textChanged, this, &CLabelSettingDlg::ShowSketch);
    OnInitDialog();
}

CLabelSettingDlg::~CLabelSettingDlg() = default;

void CLabelSettingDlg::OnInitDialog()
{
    const std::optional<LayoutRecord> read = SpineLayout::Read();
    if (!read) {
        // Without a file: no sizes and no style, the template 模板一 and the heading
        // "学校图书馆"; the sample and a save still need a font.
        m_record.SetFont(LogFont());
        ui->m_fontField->Set(m_record.Font(), m_record.Color());
        ui->m_editHeading->setText(QStringLiteral("学校图书馆"));
        ui->m_radioTemplate1->setChecked(true);
        OnTemplateChanged();
        return;
    }
    m_record = *read;
    ui->m_pageFields->Show(m_record);
    ui->m_fontField->Set(m_record.Font(), m_record.Color());
    ui->m_editHeading->setText(m_record.Text(SpineLayout::HeadingSlot));
    const bool first = m_record.Text(SpineLayout::TemplateSlot) == SpineLayout::Template1();
    (first ? ui->m_radioTemplate1 : ui->m_radioTemplate2)->setChecked(true);
    OnTemplateChanged();
    // A name that is none of the ten selects nothing; the style is applied either way.
    const QSignalBlocker quiet(ui->m_comboStyle);
    ui->m_comboStyle->setCurrentIndex(SpineLabelStyle::Names().indexOf(m_record.Text(SpineLayout::StyleSlot)));
    OnStyleChanged();
}

QString CLabelSettingDlg::TemplateName() const
{
    return ui->m_radioTemplate2->isChecked() ? SpineLayout::Template2() : SpineLayout::Template1();
}

void CLabelSettingDlg::OnStyleChanged()
{
    m_descriptions = SpineLabelStyle::Descriptions(ui->m_comboStyle->currentText());
    ShowSketch();
}

void CLabelSettingDlg::OnTemplateChanged()
{
    ui->m_editHeading->setEnabled(TemplateName() == SpineLayout::Template2());
    ShowSketch();
}

void CLabelSettingDlg::ShowSketch()
{
    const bool second = TemplateName() == SpineLayout::Template2();
    ui->m_labelSketch1->setText(second ? ui->m_editHeading->text() : m_descriptions.upper);
    ui->m_labelSketch2->setText(second ? m_descriptions.upper : QString());
    ui->m_labelSketch2->setVisible(second);
    ui->m_labelSketch3->setText(m_descriptions.lower);
}

void CLabelSettingDlg::OnDefault()
{
    const LayoutRecord defaults = LayoutRecord::Defaults();
    ui->m_pageFields->Show(defaults);
    ui->m_fontField->Set(defaults.Font(), defaults.Color());
    ui->m_editHeading->setText(QStringLiteral("学校图书馆"));
    m_descriptions = {defaults.Text(LayoutRecord::UpperSlot), defaults.Text(LayoutRecord::LowerSlot)};
    ShowSketch();
}

std::optional<LayoutRecord> CLabelSettingDlg::TakeFields()
{
    std::optional<LayoutRecord> record = ui->m_pageFields->Take(m_record);
    if (!record)
        return std::nullopt;
    const QString heading = ui->m_editHeading->text();
    if (const QString problem = LayoutRecord::SlotTextProblem(heading); !problem.isEmpty())
        return ui->m_pageFields->Refuse(ui->m_editHeading, QStringLiteral("标题内容%1！").arg(problem));
    record->SetText(SpineLayout::StyleSlot, ui->m_comboStyle->currentText());
    record->SetText(SpineLayout::UpperSlot, m_descriptions.upper);
    record->SetText(SpineLayout::LowerSlot, m_descriptions.lower);
    record->SetText(SpineLayout::TemplateSlot, TemplateName());
    record->SetText(SpineLayout::HeadingSlot, heading);
    record->SetFont(ui->m_fontField->Font());
    record->SetColor(ui->m_fontField->Color());
    return record;
}

void CLabelSettingDlg::OnOK()
{
    const std::optional<LayoutRecord> record = TakeFields();
    // A file that cannot be written leaves the window open, which is all it says.
    if (record && record->Write(SpineLayout::Path()))
        accept();
}
