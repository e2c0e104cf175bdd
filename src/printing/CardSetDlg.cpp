#include "printing/CardSetDlg.h"

#include "ui_CardSetDlg.h"

#include "controls/Prompter.h"
#include "printing/CardTitle.h"
#include "printing/Code128.h"
#include "printing/LogFont.h"
#include "printing/NumberInput.h"

#include <QPainter>

namespace {
QFont pointFont(const QString& face, int points)
{
    QFont font(face);
    font.setPointSize(points);
    return font;
}

// The small barcode picture of the mock card, 71 x 29 pixels: drawn at twice the size and
// reduced, as a picture of a label rather than a symbol to scan.
QPixmap sampleBarcode()
{
    QImage picture(142, 58, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    CCode128::DrawBarcode(painter, 15, 2, 1, 36, QStringLiteral("QX00001"), LogFont(), u"CODE128B", true, 1, 1);
    painter.end();
    return QPixmap::fromImage(picture.scaled(71, 29, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
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
    ui->m_labelSampleBarcode->setPixmap(sampleBarcode());
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
    const QString title = ui->m_editTitle->text();
    const QString problem = m_kind == CustomCards ? CardTitle::Problem(title) : QString();
    if (!problem.isEmpty()) {
        showMessage(this, problem);
        return ui->m_editTitle->setFocus();
    }
    // Whole numbers as typed; a text that is no number is 0.
    const auto number = [](const QLineEdit* edit) { return NumberInput::LeadingInt(edit->text()).value_or(0); };
    m_geometry = {number(ui->m_editLeft), number(ui->m_editTop), number(ui->m_editFontSize),
                  number(ui->m_editLineSpacing), number(ui->m_editColumnSpacing)};
    m_strTitle = title;
    accept();
}
