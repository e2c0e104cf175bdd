#include "remote/FtpExchangeDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/ComboFill.h"
#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "controls/SkinButton.h"
#include "core/Collation.h"
#include "db/AppState.h"
#include "remote/SetupIni.h"
#include "remote/UnitRegister.h"
#include "remote/UnitSetDlg.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>

namespace {
const QString kConnect = QStringLiteral("连接");
const QString kDisconnect = QStringLiteral("断开连接");

struct Listing {
    bool ok = false;
    QStringList names;
};
struct Downloads {
    bool connected = false;
    int fetched = 0;
};

// The file lists show names in pinyin order, as every list of the program does.
class CollatedItem : public QListWidgetItem {
public:
    explicit CollatedItem(const QString& text) : QListWidgetItem(text) {}
    bool operator<(const QListWidgetItem& other) const override { return collateCompare(text(), other.text()) < 0; }
};

// Added once constructed: a sorted list places an item by the item's own order.
void addFiles(QListWidget* list, const QStringList& names)
{
    for (const QString& name : names)
        list->addItem(new CollatedItem(name));
}

// The name under which a file goes to the server: the part after the last separator.
QString remoteName(const QString& localPath)
{
    return localPath.section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
}

// A name from the server's listing that would reach outside the download folder.
bool leavesFolder(const QString& name)
{
    return name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == QLatin1String(".")
        || name == QLatin1String("..");
}
}

FtpAccount fixedExchangeAccount()
{
    const SetupIni ini;
    const QString section = QStringLiteral("Exchange");
    const QString port = ini.value(section, QStringLiteral("port"));
    return {ini.value(section, QStringLiteral("host"), ini.value(QStringLiteral("Net"), QStringLiteral("id"))),
            port.isEmpty() ? 21 : portFromText(port),
            ini.value(section, QStringLiteral("user"), QStringLiteral("library")),
            ini.value(section, QStringLiteral("pwd"), QStringLiteral("kiwi7730142"))};
}

QString exchangeDataFolder() { return QDir::current().filePath(QStringLiteral("data")); }

QString proposedExchangeFile(const QString& unit)
{
    return QDir(exchangeDataFolder()).filePath(QStringLiteral("book(%1).dat").arg(unit));
}

int portFromText(const QString& text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*(\\d{1,5})"));
    const int port = leading.match(text).captured(1).toInt();
    return port <= 65535 ? port : 0;
}

CFtpExchangeDlg::CFtpExchangeDlg(QWidget* parent, Account account) : QDialog(parent), m_account(account) {}

CFtpExchangeDlg::~CFtpExchangeDlg()
{
    m_work.Cancel();
    m_download.Cancel();
}

void CFtpExchangeDlg::reject()
{
    // Closing stops a transfer in progress; a file cut short leaves nothing behind.
    m_work.Cancel();
    m_download.Cancel();
    QDialog::reject();
}

void CFtpExchangeDlg::InitExchange()
{
    m_editServer = findChild<QLineEdit*>(QStringLiteral("m_editServer"));
    m_editUser = findChild<QLineEdit*>(QStringLiteral("m_editUser"));
    m_editPassword = findChild<QLineEdit*>(QStringLiteral("m_editPassword"));
    m_editPort = findChild<QLineEdit*>(QStringLiteral("m_editPort"));
    m_editFolder = findChild<QLineEdit*>(QStringLiteral("m_editFolder"));
    m_editUploadPath = findChild<QLineEdit*>(QStringLiteral("m_editUploadPath"));
    m_btnConnect = findChild<QPushButton*>(QStringLiteral("m_btnConnect"));
    m_btnLamp = findChild<CSkinButton*>(QStringLiteral("m_btnLamp"));
    m_cboUnit = findChild<QComboBox*>(QStringLiteral("m_cboUnit"));
    m_listServer = findChild<QListWidget*>(QStringLiteral("m_listServer"));
    m_listFetch = findChild<QListWidget*>(QStringLiteral("m_listFetch"));
    m_progress = findChild<QProgressBar*>(QStringLiteral("m_progress"));
    const std::pair<const char*, void (CFtpExchangeDlg::*)()> handlers[] = {
        {"m_btnConnect", &CFtpExchangeDlg::OnConnect},         {"m_btnTestConnect", &CFtpExchangeDlg::OnTestConnect},
        {"m_btnUnitSet", &CFtpExchangeDlg::OnUnitSet},         {"m_btnBrowseUpload", &CFtpExchangeDlg::OnBrowseUploadFile},
        {"m_btnUpload", &CFtpExchangeDlg::OnUpload},           {"m_btnBrowseFolder", &CFtpExchangeDlg::OnBrowseFolder},
        {"m_btnDownload", &CFtpExchangeDlg::OnDownload},
    };
    for (const auto& [name, handler] : handlers)
        if (auto* button = findChild<QPushButton*>(QLatin1String(name)))
            connect(button, &QPushButton::clicked, this, handler);
    if (m_listServer) {
        connect(findChild<QPushButton*>(QStringLiteral("m_btnAddFile")), &QPushButton::clicked, this,
                [this] { MoveSelected(m_listServer, m_listFetch); });
        connect(findChild<QPushButton*>(QStringLiteral("m_btnRemoveFile")), &QPushButton::clicked, this,
                [this] { MoveSelected(m_listFetch, m_listServer); });
        connect(findChild<QPushButton*>(QStringLiteral("m_btnAddAllFiles")), &QPushButton::clicked, this, [this] {
            while (m_listServer->count() > 0) {
                addFiles(m_listFetch, {m_listServer->item(0)->text()});
                delete m_listServer->takeItem(0);
            }
        });
    }
    connect(&m_work, &FtpWork::BusyChanged, this, &CFtpExchangeDlg::OnBusyChanged);
    if (auto* download = findChild<QPushButton*>(QStringLiteral("m_btnDownload")))
        connect(&m_download, &FtpWork::BusyChanged, download, &QWidget::setDisabled);
    if (m_progress)
        connect(&m_download, &FtpWork::Progress, m_progress, &QProgressBar::setValue);
}

void CFtpExchangeDlg::LoadSavedAccount()
{
    const SetupIni ini;
    const QString net = QStringLiteral("Net");
    m_editServer->setText(ini.value(net, QStringLiteral("id")));
    m_editUser->setText(ini.value(net, QStringLiteral("user")));
    m_editPassword->setText(ini.value(net, QStringLiteral("pwd")));
    m_editPort->setText(ini.value(net, QStringLiteral("port")));
    TakeFields();
}

FtpAccount CFtpExchangeDlg::FieldsAccount() const
{
    return {m_editServer->text(), portFromText(m_editPort->text()), m_editUser->text(), m_editPassword->text()};
}

void CFtpExchangeDlg::TakeFields()
{
    m_taken = FieldsAccount();
    if (m_editFolder)
        m_takenFolder = m_editFolder->text();
    if (m_cboUnit)
        m_takenUnit = m_cboUnit->currentText();
    OnFieldsTaken();
}

FtpAccount CFtpExchangeDlg::StepAccount() const
{
    return m_account == Account::Fixed ? fixedExchangeAccount() : m_taken;
}

void CFtpExchangeDlg::SetLamp(bool connected) { m_btnLamp->SetIconHandles(resourceIcon(connected ? 214 : 213)); }

void CFtpExchangeDlg::FillUnits()
{
    QStringList units;
    try {
        units = UnitRegister(theApp().m_ado).units();
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("数据出错!"));
    }
    fillSortedCombo(m_cboUnit, units, 0);
}

void CFtpExchangeDlg::OnBusyChanged(bool busy)
{
    if (busy) {
        m_disabled.clear();
        for (QAbstractButton* button : findChildren<QAbstractButton*>())
            if (button->isEnabled() && button != m_btnLamp) {
                button->setEnabled(false);
                m_disabled << button;
            }
        return;
    }
    for (QWidget* widget : m_disabled)
        widget->setEnabled(true);
    m_disabled.clear();
}

void CFtpExchangeDlg::OnConnect()
{
    TakeFields();
    if (m_taken.host.isEmpty())
        return showMessage(this, QStringLiteral("请输入服务器有关信息!"));
    if (m_btnConnect->text() == kDisconnect) {
        SetLamp(false);
        m_btnConnect->setText(kConnect);
        return OnDisconnected();
    }
    const bool list = m_listServer != nullptr;
    m_work.Start<Listing>(
        StepAccount(),
        [list](FtpClient& client, FtpWork&) {
            Listing listing;
            listing.ok = list ? client.list(&listing.names) : client.login();
            return listing;
        },
        [this, list](const Listing& listing) {
            if (!listing.ok)
                return showMessage(this, QStringLiteral("连接服务器失败!"));
            m_btnConnect->setText(kDisconnect);
            SetLamp(true);
            if (list) {
                m_listServer->clear();
                addFiles(m_listServer, listing.names);
            }
        });
}

void CFtpExchangeDlg::OnTestConnect()
{
    TakeFields();
    if (m_taken.host.isEmpty())
        return showMessage(this, QStringLiteral("请输入服务器有关信息!"));
    m_work.Start<bool>(
        m_taken, [](FtpClient& client, FtpWork&) { return client.login(); },
        [this](const bool& ok) {
            if (!ok)
                return showMessage(this, QStringLiteral("连接服务器失败!"));
            m_btnConnect->setEnabled(true);
            SetupIni ini;
            const QString net = QStringLiteral("Net");
            ini.setValue(net, QStringLiteral("id"), m_editServer->text());
            ini.setValue(net, QStringLiteral("user"), m_editUser->text());
            ini.setValue(net, QStringLiteral("pwd"), m_editPassword->text());
            ini.setValue(net, QStringLiteral("port"), m_editPort->text());
            if (!ini.save())
                return showMessage(this, QStringLiteral("无法保存设置！"));
            showMessage(this, QStringLiteral("连接服务器成功!"));
        });
}

void CFtpExchangeDlg::OnUnitSet()
{
    CUnitSetDlg units(this);
    units.exec();
    OnInitDialog();
}

void CFtpExchangeDlg::OnBrowseUploadFile()
{
    TakeFields();
    const QString path = FileChooser::instance().openFile(this, QStringLiteral("打开"), proposedExchangeFile(TakenUnit()),
                                                          QStringLiteral("上传文件(*.dat)"));
    if (!path.isEmpty())
        m_editUploadPath->setText(path);
}

void CFtpExchangeDlg::OnUpload()
{
    TakeFields();
    const QString path = m_editUploadPath->text();
    if (path.isEmpty())
        return showMessage(this, QStringLiteral("请设置上传文件的路径!"));
    m_work.Start<bool>(
        StepAccount(), [path](FtpClient& client, FtpWork&) { return client.put(path, remoteName(path)); },
        [this](const bool& ok) {
            showMessage(this, ok ? QStringLiteral("上传数据成功!") : QStringLiteral("连接不成功，上传数据失败!"));
        });
}

void CFtpExchangeDlg::OnBrowseFolder()
{
    const QString folder = FileChooser::instance().folder(this, QStringLiteral("选择文件夹 "), m_editFolder->text());
    if (folder.isEmpty())
        return;
    m_editFolder->setText(folder);
    m_takenFolder = folder;
}

void CFtpExchangeDlg::OnDownload()
{
    if (m_account == Account::Fixed)
        TakeFields();
    const QString folder = m_takenFolder;
    // Files with nowhere to go would land in the root folder.
    if (folder.isEmpty())
        return showMessage(this, QStringLiteral("请设置下载目录!"));
    QStringList names;
    for (int i = 0; i < m_listFetch->count(); ++i)
        names << m_listFetch->item(i)->text();
    if (m_progress) {
        m_progress->setRange(0, std::max(1, int(names.size())));
        m_progress->setValue(0);
    }
    m_download.Start<Downloads>(
        m_taken,
        [names, folder](FtpClient& client, FtpWork& work) {
            Downloads result;
            result.connected = client.login();
            for (int i = 0; result.connected && i < names.size() && !client.aborted(); ++i) {
                const QString& name = names[i];
                if (name.isEmpty())
                    continue;
                if (!leavesFolder(name) && client.get(name, QDir(folder).filePath(name)) == FtpClient::Fetch::Fetched)
                    ++result.fetched;
                // The bar counts the files from 0: the last one leaves it a step short of its end.
                work.ReportProgress(i);
            }
            return result;
        },
        [this](const Downloads& result) {
            if (!result.connected)
                return showMessage(this, QStringLiteral("连接失败,请检查连接参数!"));
            showMessage(this, QStringLiteral("下载完毕，共下载了%1个文件!").arg(result.fetched));
        });
}

void CFtpExchangeDlg::MoveSelected(QListWidget* from, QListWidget* to)
{
    for (QListWidgetItem* item : from->selectedItems()) {
        addFiles(to, {item->text()});
        delete from->takeItem(from->row(item));
    }
}
