#include "remote/UploadSetPage.h"

#include "ui_UploadSetPage.h"

#include "controls/Prompter.h"
#include "remote/RemoteLink.h"
#include "remote/SetupIni.h"

CUploadSetPage::CUploadSetPage(QWidget* parent) : CPageDialog(parent), ui(std::make_unique<Ui::CUploadSetPage>())
{
    ui->setupUi(this);
    connect(ui->m_btnOK, &QPushButton::clicked, this, &CUploadSetPage::OnOK);
    connect(ui->m_btnTestConnect, &QPushButton::clicked, this, &CUploadSetPage::OnTestConnect);
    // Enter anywhere but on another button presses 确定, which saves; the page stays open.
    m_enterKeys.onEnter(this, [this] { ui->m_btnOK->click(); });
    OnInitDialog();
}

CUploadSetPage::~CUploadSetPage() = default;

void CUploadSetPage::OnInitDialog()
{
    const SetupIni ini;
    ui->m_editUnit->setText(ini.value(QStringLiteral("Unit"), QStringLiteral("name")));
    ui->m_editServer->setText(ini.value(QStringLiteral("Net"), QStringLiteral("id")));
    const bool link = ini.value(QStringLiteral("Net"), QStringLiteral("link")) == QLatin1String("1");
    ui->m_radioYes->setChecked(link);
    ui->m_radioNo->setChecked(!link);
}

void CUploadSetPage::OnOK()
{
    SetupIni ini;
    ini.setValue(QStringLiteral("Unit"), QStringLiteral("name"), ui->m_editUnit->text());
    ini.setValue(QStringLiteral("Net"), QStringLiteral("link"), ui->m_radioYes->isChecked() ? QStringLiteral("1")
                                                                                            : QStringLiteral("0"));
    ini.setValue(QStringLiteral("Net"), QStringLiteral("id"), ui->m_editServer->text());
    if (!ini.save())
        showMessage(this, QStringLiteral("无法保存设置！"));
}

void CUploadSetPage::OnTestConnect()
{
    RemoteLink& link = RemoteLink::instance();
    ui->m_btnTestConnect->setEnabled(false);
    link.Connect(link.serverAt(ui->m_editServer->text()), this, [this](bool ok, const QString&) {
        ui->m_btnTestConnect->setEnabled(true);
        showMessage(this, ok ? QStringLiteral("远程连接成功！") : QStringLiteral("远程连接失败！"));
    });
}
