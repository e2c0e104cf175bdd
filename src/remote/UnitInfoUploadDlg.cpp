#include "remote/UnitInfoUploadDlg.h"

#include "ui_UnitInfoUploadDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/Prompter.h"
#include "core/DateText.h"
#include "db/AppState.h"
#include "db/Statements.h"
#include "remote/RemoteLink.h"
#include "remote/SetupIni.h"

CUnitInfoUploadDlg::CUnitInfoUploadDlg(QWidget* parent)
    : CPageDialog(parent), ui(std::make_unique<Ui::CUnitInfoUploadDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnConnect, &QPushButton::clicked, this, &CUnitInfoUploadDlg::OnConnect);
    connect(ui->m_btnUpload, &QPushButton::clicked, this, &CUnitInfoUploadDlg::OnUpload);
    OnInitDialog();
}

CUnitInfoUploadDlg::~CUnitInfoUploadDlg() = default;

void CUnitInfoUploadDlg::OnInitDialog()
{
    ui->m_editServer->setText(SetupIni::read(QStringLiteral("Net"), QStringLiteral("id")));
    ui->m_btnLamp->SetIconHandles(resourceIcon(213));
    FillFigures();
}

void CUnitInfoUploadDlg::FillFigures()
{
    OnRefreshUnitDate();
    ui->m_editHoldings->setText(QueryCount(QStringLiteral("select count(*) from bkinfo")));
    ui->m_editReaders->setText(QueryCount(QStringLiteral("select count(*) from readerinfo")));
}

void CUnitInfoUploadDlg::OnRefreshUnitDate()
{
    ui->m_editUnit->setText(SetupIni::read(QStringLiteral("Unit"), QStringLiteral("name")));
    ui->m_editReportDate->setText(todayText());
}

QString CUnitInfoUploadDlg::QueryCount(const QString& sql)
{
    try {
        return openOrThrow(theApp().m_ado, sql)->GetCollect(0);
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败！"));
        return {};
    }
}

UnitFigures CUnitInfoUploadDlg::Figures() const
{
    return {ui->m_editUnit->text(),        ui->m_editHoldings->text(),    ui->m_editReaders->text(),
            ui->m_editStaff->text(),       ui->m_editLibraryArea->text(), ui->m_editReadingArea->text(),
            ui->m_editReportDate->text(),  ui->m_editReporter->text()};
}

void CUnitInfoUploadDlg::SetBusy(bool busy)
{
    ui->m_btnConnect->setEnabled(!busy);
    ui->m_btnUpload->setEnabled(!busy);
}

void CUnitInfoUploadDlg::OnConnect()
{
    RemoteLink& link = RemoteLink::instance();
    const QString server = ui->m_editServer->text();
    SetBusy(true);
    link.Connect(link.serverAt(server), this, [this, server](bool ok, const QString&) {
        SetBusy(false);
        if (!ok)
            return showMessage(this, QStringLiteral("远程连接失败！"));
        ui->m_btnLamp->SetIconHandles(resourceIcon(214));
        SetupIni ini;
        ini.setValue(QStringLiteral("Net"), QStringLiteral("id"), server);
        if (!ini.save())
            return showMessage(this, QStringLiteral("远程连接成功，但无法保存设置！"));
        showMessage(this, QStringLiteral("远程连接成功！"));
    });
}

void CUnitInfoUploadDlg::OnUpload()
{
    const QString failed = QStringLiteral("上传数据失败！");
    RemoteLink& link = RemoteLink::instance();
    if (!link.IsOpen())
        return showMessage(this, failed);
    const UnitFigures figures = Figures();
    SetBusy(true);
    link.Run<bool>(
        this,
        [figures](CAdoConn& remote) {
            try {
                SchoolFiguresTable(remote).upload(figures);
                return true;
            } catch (const DbError&) {
                return false;
            }
        },
        [this, failed, figures](const bool& written) {
            SetBusy(false);
            if (!written)
                return showMessage(this, failed);
            SetupIni ini;
            ini.setValue(QStringLiteral("Unit"), QStringLiteral("name"), figures.school);
            if (!ini.save())
                return showMessage(this, QStringLiteral("上传数据成功，但无法把学校名称保存到setup.ini！"));
            showMessage(this, QStringLiteral("上传数据成功！"));
        });
}
