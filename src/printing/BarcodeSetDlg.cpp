#include "printing/BarcodeSetDlg.h"

#include "ui_BarcodeSetDlg.h"

#include "printing/BarcodeLayoutFile.h"

#include <QComboBox>

CBarcodeSetDlg::CBarcodeSetDlg(int mode, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::CBarcodeSetDlg>())
    , m_strPath(BarcodeLayoutFile::Path(mode))
{
    ui->setupUi(this);
    connect(ui->m_btnOk, &QPushButton::clicked, this, &CBarcodeSetDlg::OnOK);
    connect(ui->m_btnDefault, &QPushButton::clicked, this, &CBarcodeSetDlg::OnDefault);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->m_fontField, &LabelFontField::changed, this,
            [this] { ui->m_sample->SetLabelFont(ui->m_fontField->Font()); });
    connect(ui->m_editTitle, &QLineEdit::textChanged, this, &CBarcodeSetDlg::OnSampleChanged);
    OnInitDialog();
}

CBarcodeSetDlg::~CBarcodeSetDlg() = default;

void CBarcodeSetDlg::OnInitDialog()
{
    if (const std::optional<LayoutRecord> read = LayoutRecord::Read(m_strPath)) {
        m_record = *read;
        ShowRecord(m_record);
    } else {
        // Without a file the fields stay empty, but the sample and a save still need a font.
        m_record.SetFont(LogFont());
        ui->m_pageFields->Paper()->setCurrentText(QString());
    }
    ui->m_fontField->Set(m_record.Font(), m_record.Color());
    OnSampleChanged();
}

void CBarcodeSetDlg::ShowRecord(const LayoutRecord& record)
{
    ui->m_pageFields->Paper()->setCurrentText(record.Text(LayoutRecord::PaperSlot));
    ui->m_pageFields->Show(record);
    ui->m_editTitle->setText(record.Text(LayoutRecord::TitleSlot));
}

void CBarcodeSetDlg::OnSampleChanged()
{
    ui->m_sample->SetCaption(ui->m_editTitle->text());
}

void CBarcodeSetDlg::OnDefault()
{
    const LayoutRecord defaults = LayoutRecord::Defaults();
    m_record.SetText(LayoutRecord::UpperSlot, defaults.Text(LayoutRecord::UpperSlot));
    m_record.SetText(LayoutRecord::LowerSlot, defaults.Text(LayoutRecord::LowerSlot));
    ShowRecord(defaults);
    ui->m_fontField->Set(defaults.Font(), defaults.Color());
}

std::optional<LayoutRecord> CBarcodeSetDlg::TakeFields()
{
    LayoutPageFields* page = ui->m_pageFields;
    std::optional<LayoutRecord> record = page->Take(m_record);
    if (!record)
        return std::nullopt;
    const QString paper = page->Paper()->currentText();
    const QString title = ui->m_editTitle->text();
    if (const QString problem = LayoutRecord::SlotTextProblem(paper); !problem.isEmpty())
        return page->Refuse(page->Paper(), QStringLiteral("纸张类型%1！").arg(problem));
    if (const QString problem = LayoutRecord::SlotTextProblem(title); !problem.isEmpty())
        return page->Refuse(ui->m_editTitle, QStringLiteral("标题%1！").arg(problem));
    record->SetText(LayoutRecord::PaperSlot, paper);
    record->SetText(LayoutRecord::TitleSlot, title);
    record->SetFont(ui->m_fontField->Font());
    record->SetColor(ui->m_fontField->Color());
    return record;
}

void CBarcodeSetDlg::OnOK()
{
    const std::optional<LayoutRecord> record = TakeFields();
    // A file that cannot be written leaves the window open, which is all it says.
    if (record && record->Write(m_strPath))
        accept();
}
