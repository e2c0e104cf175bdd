#include "printing/BookLabelStubDlg.h"

#include "ui_BookLabelStubDlg.h"

CBookLabelStubDlg::CBookLabelStubDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CBookLabelStubDlg>())
{
    ui->setupUi(this);
    OnInitDialog();
}

CBookLabelStubDlg::~CBookLabelStubDlg() = default;

// The form's own state is all it starts with: no layout is read and no list is filled.
void CBookLabelStubDlg::OnInitDialog() { setWindowTitle(QStringLiteral("打印书标")); }

// The mouse over this form zooms nothing: there is no preview to act on.
void CBookLabelStubDlg::mousePressEvent(QMouseEvent* event) { QDialog::mousePressEvent(event); }

void CBookLabelStubDlg::mouseReleaseEvent(QMouseEvent* event) { QDialog::mouseReleaseEvent(event); }

void CBookLabelStubDlg::mouseMoveEvent(QMouseEvent* event) { QDialog::mouseMoveEvent(event); }
