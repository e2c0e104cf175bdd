#pragma once

#include "controls/EnterKeyFilter.h"
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
// The file the export and upload choosers propose for the unit: book(unit).dat there.
QString proposedExchangeFile(const QString& unit);
// The port as the windows read it: the leading decimal number of the text, 0 (the
// protocol's own) when it has none.
int portFromText(const QString& text);

// What the four statistics exchange windows share: the FTP steps on a worker thread with
// the buttons disabled meanwhile, the connection lamp and its 连接/断开连接 button, the
// connection test, the upload of a file, the listing of the server and the download of
// the chosen files. The windows differ in their account: the fixed one, or the one their
// fields show, saved by a successful test.
// The windows work with their fields as last taken: 连接, 连接测试, 上传 and the upload's
// "…" take them all; the download folder is also taken when chosen with "…". A download
// always goes with the account the window shows: the fixed-account window takes its fields
// when 下载 is pressed, the other fetches with them as last taken. A download runs beside the
// window, which stays usable meanwhile; one download runs at a time.
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

    // Takes the window's fields; a window with fields of its own takes them in OnFieldsTaken.
    void TakeFields();
    virtual void OnFieldsTaken() {}
    QString TakenFolder() const { return m_takenFolder; }
    QString TakenUnit() const { return m_takenUnit; }

    FtpWork m_work;
    FtpWork m_download;

private:
    FtpAccount StepAccount() const;
    FtpAccount FieldsAccount() const;
    void OnBusyChanged(bool busy);
    void MoveSelected(QListWidget* from, QListWidget* to);

    const Account m_account;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    FtpAccount m_taken;
    QString m_takenFolder;
    QString m_takenUnit;
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
