#pragma once

#include "remote/FtpWork.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class CSkinButton;

// The account of the statistics exchange windows that do not ask for one: setup.ini
// [Exchange] host (else [Net] id), user ("library"), pwd ("kiwi7730142"), port (21).
FtpAccount fixedExchangeAccount();
// The program folder's data folder, where the exchange files are written and looked for.
QString exchangeDataFolder();
// The port as the windows read it: the leading decimal number of the text, 0 (the
// protocol's own) when it has none.
int portFromText(const QString& text);

// What the four statistics exchange windows share: the FTP steps on a worker thread with
// the buttons disabled meanwhile, the connection lamp and its 连接/断开连接 button, the
// connection test, the upload of a file, the listing of the server and the download of
// the chosen files. The windows differ in their account: the fixed one, or the one their
// fields show (as last taken at opening, 连接 or 连接测试), saved by a successful test.
// A download always goes with the account the window shows: the fixed-account window
// fetches with its fields as they stand when 下载 is pressed.
// Controls are found by the names the windows' forms share.
class CFtpExchangeDlg : public QDialog {
    Q_OBJECT
public:
    ~CFtpExchangeDlg() override;
    void reject() override;

protected:
    enum class Account { Fixed, Fields };
    CFtpExchangeDlg(QWidget* parent, Account account);

    // After the form is set up.
    void InitExchange();
    // The fields from setup.ini [Net] (windows with their own account).
    void LoadSavedAccount();
    void SetLamp(bool connected);
    void FillUnits();

    void OnConnect();
    void OnTestConnect();
    void OnUnitSet();
    void OnBrowseUploadFile();
    void OnUpload();
    void OnBrowseFolder();
    void OnDownload();
    // The window itself again, as after opening (after the units were edited).
    virtual void OnInitDialog() = 0;
    // After 断开连接.
    virtual void OnDisconnected() {}

    QString DownloadFolder() const;

    FtpWork m_work;

private:
    FtpAccount StepAccount() const;
    FtpAccount FieldsAccount() const;
    FtpAccount DownloadAccount() const;
    void TakeFields();
    void OnBusyChanged(bool busy);
    void MoveSelected(QListWidget* from, QListWidget* to);

    const Account m_account;
    FtpAccount m_taken;
    QList<QWidget*> m_disabled;
    QLineEdit* m_editServer = nullptr;
    QLineEdit* m_editUser = nullptr;
    QLineEdit* m_editPassword = nullptr;
    QLineEdit* m_editPort = nullptr;
    QLineEdit* m_editFolder = nullptr;
    QLineEdit* m_editUploadPath = nullptr;
    QPushButton* m_btnConnect = nullptr;
    CSkinButton* m_btnLamp = nullptr;
    QComboBox* m_cboUnit = nullptr;
    QListWidget* m_listServer = nullptr;
    QListWidget* m_listFetch = nullptr;
    QProgressBar* m_progress = nullptr;
};
