#include "remote/DbServiceDlg.h"

#include "ui_DbServiceDlg.h"

#include "remote/DbServiceCommands.h"

CDbServiceDlg::CDbServiceDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CDbServiceDlg>())
{
    ui->setupUi(this);
    DbServiceCommands::wire(ui->m_btnStart, ui->m_btnStop);
}

CDbServiceDlg::~CDbServiceDlg() = default;
