#include "printing/BarcodeSet2Dlg.h"

#include "ui_BarcodeSet2Dlg.h"

#include <QEvent>

CBarcodeSet2Dlg::CBarcodeSet2Dlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CBarcodeSet2Dlg>())
{
    ui->setupUi(this);
    QPalette white = ui->m_sample->palette();
    white.setColor(QPalette::Window, Qt::white);
    ui->m_sample->setPalette(white);
    connect(ui->m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->m_editTitle, &QLineEdit::textChanged, this, &CBarcodeSet2Dlg::RepaintSample);
    ui->m_editFontSize->installEventFilter(this);
}

CBarcodeSet2Dlg::~CBarcodeSet2Dlg() = default;

bool CBarcodeSet2Dlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->m_editFontSize && event->type() == QEvent::FocusOut)
        RepaintSample();
    return QDialog::eventFilter(watched, event);
}

void CBarcodeSet2Dlg::RepaintSample() { ui->m_sample->update(); }
