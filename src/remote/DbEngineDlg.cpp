#include "remote/DbEngineDlg.h"

#include "ui_DbEngineDlg.h"

#include "remote/DbServiceCommands.h"
#include "controls/Prompter.h"
#include "remote/RemoteLink.h"
#include "remote/SetupIni.h"

CDbEngineDlg::CDbEngineDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CDbEngineDlg>())
{
    ui->setupUi(this);
    DbServiceCommands::wire(ui->m_btnStart, ui->m_btnStop);
    connect(ui->m_btnTest, &QPushButton::clicked, this, &CDbEngineDlg::OnTestConnect);
    connect(ui->m_btnConnect, &QPushButton::clicked, this, &CDbEngineDlg::OnConnect);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CDbEngineDlg::~CDbEngineDlg() = default;

void CDbEngineDlg::OnTestConnect()
{
    const QString address = ui->m_editServer->text();
    if (address.isEmpty())
        return showMessage(this, QStringLiteral("请输入服务器地址！"));
    RemoteLink& link = RemoteLink::instance();
    ui->m_btnTest->setEnabled(false);
    link.Probe(link.serverAt(address), this, [this, address](bool ok, const QString&) {
        ui->m_btnTest->setEnabled(true);
        if (!ok)
            return showMessage(this, QStringLiteral("连接失败！"));
        SetupIni ini;
        ini.setValue(QStringLiteral("Server"), QStringLiteral("id"), address);
        ui->m_btnConnect->setEnabled(true);
        // The server answered, but the next start would not know its address.
        if (!ini.save())
            return showMessage(this, QStringLiteral("连接成功，但无法保存设置！"));
        showMessage(this, QStringLiteral("连接成功！"));
    });
}

void CDbEngineDlg::OnConnect()
{
    SetupIni ini;
    ini.setValue(QStringLiteral("Server"), QStringLiteral("id"), ui->m_editServer->text());
    if (!ini.save())
        return showMessage(this, QStringLiteral("无法保存设置！"));
    accept();
}
