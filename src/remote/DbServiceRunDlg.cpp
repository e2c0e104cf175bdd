#include "remote/DbServiceRunDlg.h"

#include "ui_DbServiceRunDlg.h"

#include "remote/DbServiceCommands.h"

CDbServiceRunDlg::CDbServiceRunDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CDbServiceRunDlg>())
{
    ui->setupUi(this);
    DbServiceCommands::wire(ui->m_btnStart, ui->m_btnStop);
}

CDbServiceRunDlg::~CDbServiceRunDlg() = default;
