#include "printing/CardSetDlg.h"

#include "ui_CardSetDlg.h"

#include "controls/Prompter.h"
#include "printing/CardTitle.h"
#include "printing/Code128.h"
#include "printing/LogFont.h"
#include "printing/NumberInput.h"

#include <QPainter>
#include <QStyle>

namespace {
constexpr int kMaxPixels = 1000;

QFont pointFont(const QString& face, int points)
{
    QFont font(face);
    font.setPointSize(points);
    return font;
}

// The small barcode of the mock card.
QPixmap sampleBarcode(const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    LogFont font;
    font.height = -10;
    CCode128::DrawBarcode(painter, 4, 0, 1, 26, QStringLiteral("QX00001"), font, u"CODE128B", true, 1, 1);
    return picture;
}
}

CCardSetDlg::CCardSetDlg(Kind kind, const CardPageGeometry& geometry, const QString& title, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::CCardSetDlg>())
    , m_kind(kind)
    , m_geometry(geometry)
    , m_strTitle(title)
{
    ui->setupUi(this);
    ui->m_btnOk->SetIconHandles(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui->m_btnCancel->SetIconHandles(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(ui->m_btnOk, &QPushButton::clicked, this, &CCardSetDlg::OnOK);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->m_editTitle, &QLineEdit::textChanged, this, &CCardSetDlg::OnTitleChanged);
    OnInitDialog();
}

CCardSetDlg::~CCardSetDlg() = default;

void CCardSetDlg::OnInitDialog()
{
    const bool custom = m_kind == CustomCards;
    setWindowTitle(custom ? QStringLiteral("自定义借书证设置") : QStringLiteral("借书证设置"));
    ui->labelTitle->setText(custom ? QStringLiteral("标题") : QStringLiteral("标题:"));
    // The custom card's title stands above "借　阅　证"; the reader card's title is that line.
    ui->m_labelSampleTitle->setFont(custom ? pointFont(QStringLiteral("黑体"), 10) : pointFont(QStringLiteral("隶书"), 12));
    ui->labelCard->setFont(pointFont(QStringLiteral("隶书"), 12));
    ui->labelCard->setVisible(custom);
    for (QLabel* field : {ui->labelSampleName, ui->labelSampleSex, ui->labelSampleType, ui->labelSampleDept})
        field->setVisible(!custom);
    ui->m_labelSampleBarcode->setPixmap(sampleBarcode(ui->m_labelSampleBarcode->size()));
    ui->m_editFontSize->setText(QString::number(m_geometry.fontSize));
    ui->m_editTop->setText(QString::number(m_geometry.top));
    ui->m_editLeft->setText(QString::number(m_geometry.left));
    ui->m_editLineSpacing->setText(QString::number(m_geometry.lineSpacing));
    ui->m_editColumnSpacing->setText(QString::number(m_geometry.columnSpacing));
    ui->m_editTitle->setText(m_strTitle);
    OnTitleChanged(m_strTitle);
}

void CCardSetDlg::OnTitleChanged(const QString& title) { ui->m_labelSampleTitle->setText(title); }

void CCardSetDlg::OnOK()
{
    CardPageGeometry geometry;
    const struct {
        QLineEdit* edit;
        QLabel* label;
        int* value;
    } fields[] = {{ui->m_editFontSize, ui->labelFontSize, &geometry.fontSize},
                  {ui->m_editTop, ui->labelTop, &geometry.top},
                  {ui->m_editLeft, ui->labelLeft, &geometry.left},
                  {ui->m_editLineSpacing, ui->labelLineSpacing, &geometry.lineSpacing},
                  {ui->m_editColumnSpacing, ui->labelColumnSpacing, &geometry.columnSpacing}};
    for (const auto& field : fields) {
        const std::optional<int> value = NumberInput::LeadingInt(field.edit->text());
        if (!value || *value < 0 || *value > kMaxPixels) {
            showMessage(this, QStringLiteral("%1应是0到%2之间的整数！").arg(field.label->text()).arg(kMaxPixels));
            return field.edit->setFocus();
        }
        *field.value = *value;
    }
    const QString title = ui->m_editTitle->text();
    const QString problem = m_kind == CustomCards ? CardTitle::Problem(title) : QString();
    if (!problem.isEmpty()) {
        showMessage(this, problem);
        return ui->m_editTitle->setFocus();
    }
    m_geometry = geometry;
    m_strTitle = title;
    accept();
}
