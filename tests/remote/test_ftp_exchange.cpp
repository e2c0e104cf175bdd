#include "controls/SkinButton.h"
#include "core/TextCodec.h"
#include "db/AppState.h"
#include "remote/DataDownloadDlg.h"
#include "remote/DataUploadDlg.h"
#include "remote/FtpClient.h"
#include "remote/FtpDownloadDlg.h"
#include "remote/FtpExchangeDlg.h"
#include "remote/FtpListing.h"
#include "remote/FtpUploadDlg.h"
#include "remote/FtpWork.h"
#include "remote/SetupIni.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

namespace {
QDir serverRoot() { return QDir(fixtureRunFolder("SCHOOLLIB_FTP_DIR") + QStringLiteral("/root")); }
int serverPort() { return fixturePort("SCHOOLLIB_FTP_DIR"); }
FtpAccount account(const QString& password = QStringLiteral("chalk-2017"))
{
    return {QStringLiteral("127.0.0.1"), serverPort(), QStringLiteral("teacher"), password};
}
QLineEdit* edit(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }
QPushButton* button(QWidget& w, const char* name) { return w.findChild<QPushButton*>(name); }
QStringList items(QWidget& w, const char* name)
{
    QStringList texts;
    auto* list = w.findChild<QListWidget*>(name);
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}
// A path in the program folder, which the tests make the current directory.
QString here(const QString& name) { return QDir::current().filePath(name); }
QStringList filesIn(const QString& folder) { return QDir(here(folder)).entryList(QDir::Files | QDir::Hidden); }
const QString kBook = QStringLiteral("book(实验小学).dat");
}

Q_DECLARE_METATYPE(FtpAccount)

// The statistics exchange over FTP against the pyftpdlib server of the test fixture, which
// speaks GBK on the wire as the schools' servers do.
class TestFtpExchange : public QObject {
    Q_OBJECT

    std::optional<Workplace> m_work;
    QStringList texts() const { return m_work->seams.prompter.texts(); }
    // The text of the count-th message, once it came (empty when it did not come in time).
    QString said(int count)
    {
        const bool came = QTest::qWaitFor([&] { return m_work->seams.prompter.messages.size() >= count; }, 15000);
        return came ? texts().value(count - 1) : QString();
    }
    static void fillAccount(QWidget& window, const FtpAccount& who)
    {
        edit(window, "m_editServer")->setText(who.host);
        edit(window, "m_editUser")->setText(who.user);
        edit(window, "m_editPassword")->setText(who.password);
        edit(window, "m_editPort")->setText(who.port > 0 ? QString::number(who.port) : QString());
    }
    void saveKeys(const QString& section, const QList<std::pair<QString, QString>>& keys)
    {
        SetupIni ini;
        for (const auto& [key, value] : keys)
            ini.setValue(section, key, value);
        QVERIFY(ini.save());
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(serverPort() > 0, "the FTP test server wrote no port");
        FtpWork::SetTimeoutSeconds(3);
    }
    void init()
    {
        QVERIFY(m_work.emplace().folder.isReady());
        QVERIFY(QDir::current().mkdir(QStringLiteral("in")));
        for (const QString& name : serverRoot().entryList(QDir::Files | QDir::Hidden))
            QVERIFY(serverRoot().remove(name));
    }
    void cleanup() { m_work.reset(); }

    void listingsOfBothForms_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("unix") << QByteArray("drwxr-xr-x   2 ftp ftp     4096 Apr 11 09:30 folder\r\n"
                                            "-rw-r--r--   1 ftp ftp      120 Apr 11 09:30 a b.dat\r\n"
                                            "lrwxrwxrwx   1 ftp ftp        5 Apr 11  2016 link -> a b.dat\r\n"
                                            "-rw-r--r--   1 1000     55 Dec 31  2016 two.dat\r\n")
                              << QStringList{"a b.dat", "two.dat"};
        QTest::newRow("dos") << QByteArray("04-11-17  09:30AM       <DIR>          folder\r\n"
                                           "04-11-17  09:30PM                  120 c d.dat\n")
                             << QStringList{"c d.dat"};
        QTest::newRow("gbk and utf-8 names")
            << (toGbk("-rw-r--r-- 1 ftp ftp 1 Apr 11 09:30 book(实验小学).dat\n")
                + QStringLiteral("-rw-r--r-- 1 ftp ftp 1 Apr 11 09:30 book(第二中学).dat\n").toUtf8())
            << QStringList{"book(实验小学).dat", "book(第二中学).dat"};
        QTest::newRow("neither") << QByteArray("total 8\r\n\r\nsomething else\r\n") << QStringList{};
    }
    void listingsOfBothForms()
    {
        QFETCH(QByteArray, listing);
        QFETCH(QStringList, files);
        QCOMPARE(filesInListing(listing), files);
    }

    void putListAndGet()
    {
        const QByteArray content = toGbk("[图书类别]\r\n实验小学\t文学\t2\t45.8\r\n");
        QVERIFY(writeFile(here(kBook), content));
        FtpClient client(account(), 3);
        QVERIFY2(client.put(here(kBook), kBook), qPrintable(client.lastError()));
        // The server got the name in GBK and keeps the file under it.
        QCOMPARE(fileBytes(serverRoot().filePath(kBook)), content);
        QStringList names;
        QVERIFY(client.list(&names));
        QCOMPARE(names, QStringList{kBook});
        const QString target = here(QStringLiteral("in/") + kBook);
        QCOMPARE(client.get(kBook, target), FtpClient::Fetch::Fetched);
        QCOMPARE(fileBytes(target), content);
        QVERIFY(writeFile(serverRoot().filePath(kBook), "changed"));
        QCOMPARE(client.get(kBook, target), FtpClient::Fetch::Exists);
        QCOMPARE(fileBytes(target), content);
        QCOMPARE(client.get(QStringLiteral("missing.dat"), here(QStringLiteral("in/m.dat"))), FtpClient::Fetch::Failed);
        QCOMPARE(filesIn(QStringLiteral("in")), QStringList{kBook});
    }

    void refusedLogins_data()
    {
        QTest::addColumn<FtpAccount>("who");
        QTest::addColumn<QString>("error");
        QTest::newRow("wrong password") << account(QStringLiteral("wrong")) << "Access denied";
        QTest::newRow("no port is port 21")
            << FtpAccount{QStringLiteral("127.0.0.1"), portFromText(QString()), QStringLiteral("teacher"),
                          QStringLiteral("chalk-2017")}
            << "port 21";
        QTest::newRow("no server") << FtpAccount{QString(), serverPort(), {}, {}} << "";
    }
    void refusedLogins()
    {
        QFETCH(FtpAccount, who);
        QFETCH(QString, error);
        FtpClient client(who, 3);
        QVERIFY(!client.login());
        QVERIFY2(client.lastError().contains(error), qPrintable(client.lastError()));
    }

    // A transfer that stops half-way leaves no file.
    void cutTransferLeavesNothing()
    {
        QByteArray big(16 * 1024 * 1024, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
        QVERIFY(writeFile(serverRoot().filePath(QStringLiteral("big.dat")), big));
        FtpClient client(account(), 3);
        client.setProgress([&client](qint64 moved) {
            if (moved > 0)
                client.abort();
        });
        QCOMPARE(client.get(QStringLiteral("big.dat"), here(QStringLiteral("in/big.dat"))), FtpClient::Fetch::Failed);
        QVERIFY(filesIn(QStringLiteral("in")).isEmpty());
    }

    // An upload cut short leaves the server's file as it was: no truncated file under the
    // name the other schools fetch and merge. The cut is the user's, or a connection that
    // breaks; neither is a refusal that another way of storing would get past.
    void cutUploadLeavesTheFileWhole_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("breaks");
        for (const bool breaks : {false, true}) {
            const char* cut = breaks ? "the connection breaks" : "stopped";
            QTest::addRow("new file, %s", cut) << QByteArray() << breaks;
            QTest::addRow("file of an earlier upload, %s", cut) << QByteArray("[图书类别]\r\n") << breaks;
        }
    }
    void cutUploadLeavesTheFileWhole()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, breaks);
        if (!before.isEmpty())
            QVERIFY(writeFile(serverRoot().filePath(kBook), before));
        QByteArray big(16 * 1024 * 1024, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
        QVERIFY(writeFile(here(kBook), big));
        FtpAccount who = account();
        if (breaks)
            who.user = QStringLiteral("cutoff");
        FtpClient client(who, 3);
        client.setProgress([&client, breaks](qint64 moved) {
            if (moved > 0 && !breaks)
                client.abort();
        });
        QVERIFY(!client.put(here(kBook), kBook));
        QCOMPARE(fileBytes(serverRoot().filePath(kBook)), before.isEmpty() ? QByteArray("<missing>") : before);
    }

    // What a cut upload leaves on the server goes with the next upload of the file, also on
    // a server that stores over no file.
    void nextUploadRemovesAStalePart_data()
    {
        QTest::addColumn<QString>("user");
        QTest::newRow("store and rename replace") << "teacher";
        QTest::newRow("nothing is replaced") << "strict";
    }
    void nextUploadRemovesAStalePart()
    {
        QFETCH(QString, user);
        FtpClient client({QStringLiteral("127.0.0.1"), serverPort(), user, QStringLiteral("chalk-2017")}, 3);
        QVERIFY(writeFile(here(kBook), "first"));
        QVERIFY(client.put(here(kBook), kBook));
        QByteArray big(16 * 1024 * 1024, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
        QVERIFY(writeFile(here(kBook), big));
        {
            FtpClient cut({QStringLiteral("127.0.0.1"), serverPort(), user, QStringLiteral("chalk-2017")}, 3);
            cut.setProgress([&cut](qint64 moved) {
                if (moved > 0)
                    cut.abort();
            });
            QVERIFY(!cut.put(here(kBook), kBook));
        }
        QTRY_VERIFY(serverRoot().exists(kBook + QStringLiteral(".part")));
        // An old copy that a replace cut midway left.
        QVERIFY(writeFile(serverRoot().filePath(kBook + QStringLiteral(".old")), "first"));
        QVERIFY(writeFile(here(kBook), "second"));
        QVERIFY2(client.put(here(kBook), kBook), qPrintable(client.lastError()));
        QCOMPARE(fileBytes(serverRoot().filePath(kBook)), QByteArray("second"));
        QCOMPARE(serverRoot().entryList(QDir::Files | QDir::Hidden), QStringList{kBook});
    }

    // A whole upload takes its name, over an earlier file too, also on a server that replaces
    // no file; nothing else is left on the server.
    void uploadReplacesTheFile_data()
    {
        QTest::addColumn<QString>("user");
        QTest::newRow("store and rename replace") << "teacher";
        QTest::newRow("nothing is replaced") << "strict";
    }
    void uploadReplacesTheFile()
    {
        QFETCH(QString, user);
        FtpClient client({QStringLiteral("127.0.0.1"), serverPort(), user, QStringLiteral("chalk-2017")}, 3);
        for (const QByteArray& content : {QByteArray("first"), QByteArray("second upload")}) {
            QVERIFY(writeFile(here(kBook), content));
            QVERIFY2(client.put(here(kBook), kBook), qPrintable(client.lastError()));
            QCOMPARE(fileBytes(serverRoot().filePath(kBook)), content);
        }
        QCOMPARE(serverRoot().entryList(QDir::Files | QDir::Hidden), QStringList{kBook});
    }

    // An account that may store but neither rename nor delete still uploads: the file goes
    // under its name, over the earlier one too, and the part it leaves is no file to fetch.
    void storeOnlyAccountUploads()
    {
        FtpClient client({QStringLiteral("127.0.0.1"), serverPort(), QStringLiteral("storeonly"),
                          QStringLiteral("chalk-2017")},
                         3);
        for (const QByteArray& content : {QByteArray("first"), QByteArray("second upload")}) {
            QVERIFY(writeFile(here(kBook), content));
            QVERIFY2(client.put(here(kBook), kBook), qPrintable(client.lastError()));
            QCOMPARE(fileBytes(serverRoot().filePath(kBook)), content);
        }
        QStringList names;
        QVERIFY(client.list(&names));
        QCOMPARE(names, QStringList{kBook});
    }

    // Servers that will not take an upload in parts still get the file under its name, and
    // keep no part of it where they let it go: an account that may not rename, and a
    // store-only account of a server that replaces nothing, where the part a cut upload
    // left can be neither stored over nor removed.
    void uploadWithoutParts_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("stalePart");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("no renaming") << "norename" << false << QStringList{kBook};
        QTest::newRow("a part that stays") << "keeper" << true << QStringList{kBook, kBook + QStringLiteral(".part")};
    }
    void uploadWithoutParts()
    {
        QFETCH(QString, user);
        QFETCH(bool, stalePart);
        QFETCH(QStringList, left);
        if (stalePart)
            QVERIFY(writeFile(serverRoot().filePath(kBook + QStringLiteral(".part")), "[图书"));
        QVERIFY(writeFile(here(kBook), "figures"));
        FtpClient client({QStringLiteral("127.0.0.1"), serverPort(), user, QStringLiteral("chalk-2017")}, 3);
        QVERIFY2(client.put(here(kBook), kBook), qPrintable(client.lastError()));
        QCOMPARE(fileBytes(serverRoot().filePath(kBook)), QByteArray("figures"));
        QCOMPARE(serverRoot().entryList(QDir::Files | QDir::Hidden), left);
        QStringList names;
        QVERIFY(client.list(&names));
        QCOMPARE(names, QStringList{kBook});
    }

    // Units and the server's files come in pinyin order, the files also when moved between
    // the two lists.
    void unitsAndFilesInPinyinOrder()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into danweiinfo values ('实验小学'), ('第二中学')")));
        for (const QString& name : {kBook, QStringLiteral("book(第二中学).dat"), QStringLiteral("notes.txt")})
            QVERIFY(writeFile(serverRoot().filePath(name), "x"));
        saveKeys(QStringLiteral("Exchange"), {{"host", "127.0.0.1"}, {"port", QString::number(serverPort())}});
        CDataUploadDlg upload;
        auto* units = upload.findChild<QComboBox*>("m_cboUnit");
        QCOMPARE((QStringList{units->itemText(0), units->itemText(1)}), (QStringList{"第二中学", "实验小学"}));
        CDataDownloadDlg download;
        edit(download, "m_editServer")->setText(QStringLiteral("any"));
        button(download, "m_btnConnect")->click();
        const QStringList ordered = {QStringLiteral("book(第二中学).dat"), kBook, QStringLiteral("notes.txt")};
        QTRY_COMPARE(items(download, "m_listServer"), ordered);
        auto* server = download.findChild<QListWidget*>("m_listServer");
        auto* fetch = download.findChild<QListWidget*>("m_listFetch");
        for (int row : {2, 0}) {
            server->item(row)->setSelected(true);
            button(download, "m_btnAddFile")->click();
        }
        QCOMPARE(items(download, "m_listFetch"), (QStringList{ordered[0], ordered[2]}));
        fetch->item(0)->setSelected(true);
        button(download, "m_btnRemoveFile")->click();
        QCOMPARE(items(download, "m_listServer"), (QStringList{ordered[0], ordered[1]}));
    }

    // The pieces that uploads work under are no files to fetch: a cut upload's part would
    // be merged as the unit's figures.
    void listingLeavesOutUploadPieces()
    {
        const QString other = QStringLiteral("book(第二中学).dat");
        for (const QString& name : {kBook, kBook + QStringLiteral(".part"), other + QStringLiteral(".old"),
                                    other + QStringLiteral(".part"), QStringLiteral("part.dat")})
            QVERIFY(writeFile(serverRoot().filePath(name), "[图书类别]\r\n"));
        saveKeys(QStringLiteral("Exchange"), {{"host", "127.0.0.1"}, {"port", QString::number(serverPort())}});
        CDataDownloadDlg download;
        edit(download, "m_editServer")->setText(QStringLiteral("any"));
        button(download, "m_btnConnect")->click();
        QTRY_COMPARE(items(download, "m_listServer"), QStringList({kBook, QStringLiteral("part.dat")}));
    }

    // The windows with an account of their own: a test saves it and opens 连接.
    void ownAccountWindows()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into danweiinfo values ('实验小学'), ('第二中学')")));
        CFtpUploadDlg upload;
        QVERIFY(!button(upload, "m_btnConnect")->isEnabled());
        QCOMPARE(edit(upload, "m_editPassword")->echoMode(), QLineEdit::Password);
        QCOMPARE(upload.findChild<QComboBox*>("m_cboUnit")->currentText(), QStringLiteral("第二中学"));
        button(upload, "m_btnTestConnect")->click();
        button(upload, "m_btnUpload")->click();
        QCOMPARE(texts(), QStringList({"请输入服务器有关信息!", "请设置上传文件的路径!"}));
        edit(upload, "m_editServer")->setText(QStringLiteral("127.0.0.1"));
        edit(upload, "m_editUser")->setText(QStringLiteral("teacher"));
        edit(upload, "m_editPassword")->setText(QStringLiteral("wrong"));
        edit(upload, "m_editPort")->setText(QString::number(serverPort()));
        button(upload, "m_btnTestConnect")->click();
        QVERIFY(!button(upload, "m_btnUpload")->isEnabled());
        QCOMPARE(said(3), QStringLiteral("连接服务器失败!"));
        QVERIFY(SetupIni::read(QStringLiteral("Net"), QStringLiteral("pwd")).isEmpty());
        edit(upload, "m_editPassword")->setText(QStringLiteral("chalk-2017"));
        button(upload, "m_btnTestConnect")->click();
        QCOMPARE(said(4), QStringLiteral("连接服务器成功!"));
        QVERIFY(button(upload, "m_btnConnect")->isEnabled() && button(upload, "m_btnUpload")->isEnabled());
        QCOMPARE(SetupIni::read(QStringLiteral("Net"), QStringLiteral("pwd")), QStringLiteral("chalk-2017"));
        QCOMPARE(QFile::permissions(SetupIni::path()) & 0x0077, QFileDevice::Permissions());

        QVERIFY(writeFile(here(kBook), "figures"));
        m_work->seams.chooser.answers << here(kBook);
        button(upload, "m_btnBrowseUpload")->click();
        QCOMPARE(m_work->seams.chooser.proposals.last(), here(QStringLiteral("data/book(第二中学).dat")));
        button(upload, "m_btnUpload")->click();
        QCOMPARE(said(5), QStringLiteral("上传数据成功!"));
        QCOMPARE(fileBytes(serverRoot().filePath(kBook)), QByteArray("figures"));

        // The download twin opens with the saved account.
        CFtpDownloadDlg download;
        QCOMPARE(edit(download, "m_editPort")->text(), QString::number(serverPort()));
        button(download, "m_btnTestConnect")->click();
        QCOMPARE(said(6), QStringLiteral("连接服务器成功!"));
        button(download, "m_btnConnect")->click();
        QTRY_COMPARE(items(download, "m_listServer"), QStringList{kBook});
        QCOMPARE(button(download, "m_btnConnect")->text(), QStringLiteral("断开连接"));
        button(download, "m_btnAddAllFiles")->click();
        QCOMPARE(items(download, "m_listFetch"), QStringList{kBook});
        button(download, "m_btnDownload")->click();
        QCOMPARE(texts().last(), QStringLiteral("请设置下载目录!"));
        m_work->seams.chooser.answers << here(QStringLiteral("in"));
        button(download, "m_btnBrowseFolder")->click();
        for (int fetched : {1, 0}) {
            const int before = int(m_work->seams.prompter.messages.size());
            button(download, "m_btnDownload")->click();
            QCOMPARE(said(before + 1), QStringLiteral("下载完毕，共下载了%1个文件!").arg(fetched));
        }
        QCOMPARE(fileBytes(here(QStringLiteral("in/") + kBook)), QByteArray("figures"));
    }

    // A test that reaches the server but cannot keep the account says so, not a bare
    // success; 连接 may go all the same.
    void unsavedAccountIsSaid()
    {
        CFtpDownloadDlg download;
        fillAccount(download, account());
        QFile::remove(SetupIni::path());
        QVERIFY(QDir().mkdir(SetupIni::path()));
        button(download, "m_btnTestConnect")->click();
        QCOMPARE(said(1), QStringLiteral("无法保存设置！"));
        QVERIFY(button(download, "m_btnConnect")->isEnabled());
        QVERIFY(QDir().rmdir(SetupIni::path()));
    }

    // The windows with the fixed account: export, send, list, fetch and merge.
    void fixedAccountWindows()
    {
        saveKeys(QStringLiteral("Exchange"), {{"host", "127.0.0.1"}, {"port", QString::number(serverPort())}});
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into danweiinfo values ('实验小学')")));
        QVERIFY(theApp().m_ado.ExecuteSql(
            QStringLiteral("insert into bkinfo (图书编号, 图书类别, 单价, 入库时间) values ('B1', '文学', 20, '2017-01-01')")));
        QVERIFY(QDir::current().mkpath(QStringLiteral("data")));

        CDataUploadDlg upload;
        QCOMPARE(upload.findChild<QDateEdit*>("m_dateFrom")->date(), QDate(2017, 4, 11));
        button(upload, "m_btnExport")->click();
        m_work->seams.chooser.answers << here(QStringLiteral("data/book(实验小学)"));
        button(upload, "m_btnBrowseExport")->click();
        QCOMPARE(m_work->seams.chooser.proposals.last(), here(QStringLiteral("data/") + kBook));
        button(upload, "m_btnExport")->click();
        QCOMPARE(texts(), QStringList({"请设置导出文件的路径!", "导出数据成功!"}));
        button(upload, "m_btnConnect")->click();  // the address field is still empty
        QCOMPARE(texts().last(), QStringLiteral("请输入服务器有关信息!"));
        edit(upload, "m_editServer")->setText(QStringLiteral("any"));
        button(upload, "m_btnConnect")->click();
        QTRY_COMPARE(button(upload, "m_btnConnect")->text(), QStringLiteral("断开连接"));
        m_work->seams.chooser.answers << here(QStringLiteral("data/") + kBook);
        button(upload, "m_btnBrowseUpload")->click();
        QCOMPARE(m_work->seams.chooser.proposals.last(), here(QStringLiteral("data/") + kBook));
        button(upload, "m_btnUpload")->click();
        QCOMPARE(said(4), QStringLiteral("上传数据成功!"));
        QVERIFY(writeFile(serverRoot().filePath(QStringLiteral("notes.txt")), "not statistics"));

        CDataDownloadDlg download;
        edit(download, "m_editServer")->setText(QStringLiteral("any"));
        button(download, "m_btnConnect")->click();
        QTRY_COMPARE(items(download, "m_listServer"), QStringList({kBook, QStringLiteral("notes.txt")}));
        button(download, "m_btnAddAllFiles")->click();
        fillAccount(download, account());
        edit(download, "m_editFolder")->setText(here(QStringLiteral("in")));
        button(download, "m_btnDownload")->click();
        QCOMPARE(said(5), QStringLiteral("下载完毕，共下载了2个文件!"));
        // The bar counts the files from 0.
        auto* bar = download.findChild<QProgressBar*>("m_progress");
        QCOMPARE((QList<int>{bar->maximum(), bar->value()}), (QList<int>{2, 1}));
        m_work->seams.chooser.answers << here(QStringLiteral("汇总"));
        button(download, "m_btnBrowseWorkbook")->click();
        QCOMPARE(edit(download, "m_editWorkbook")->text(), here(QStringLiteral("汇总.xls")));
        button(download, "m_btnMerge")->click();
        QCOMPARE(texts().last(), QStringLiteral("数据合成成功!\n以下不是统计文件，没有合成：\nnotes.txt"));
        QVERIFY(QFile::exists(here(QStringLiteral("汇总.xls"))));
        // Disconnecting empties the server's list.
        button(download, "m_btnConnect")->click();
        QVERIFY(items(download, "m_listServer").isEmpty());
    }

    // The windows with the fixed account skin every button they name; their twins only the
    // lamp. No bar shows a percentage.
    void skinnedButtons_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QStringList>("skinned");
        QTest::newRow("数据上传") << 0
                                  << QStringList{"m_btnBrowseExport", "m_btnBrowseUpload", "m_btnConnect", "m_btnExport",
                                                 "m_btnLamp", "m_btnUnitSet", "m_btnUpload"};
        QTest::newRow("数据下载") << 1
                                  << QStringList{"m_btnAddAllFiles", "m_btnAddFile", "m_btnBrowseFolder", "m_btnBrowseWorkbook",
                                                 "m_btnConnect", "m_btnDownload", "m_btnLamp", "m_btnMerge", "m_btnRemoveFile"};
        QTest::newRow("数据上传, own account") << 2 << QStringList{"m_btnLamp"};
        QTest::newRow("数据下载, own account") << 3 << QStringList{"m_btnLamp"};
    }
    void skinnedButtons()
    {
        QFETCH(int, window);
        QFETCH(QStringList, skinned);
        const std::unique_ptr<QDialog> dialog(window == 0   ? static_cast<QDialog*>(new CDataUploadDlg)
                                              : window == 1 ? static_cast<QDialog*>(new CDataDownloadDlg)
                                              : window == 2 ? static_cast<QDialog*>(new CFtpUploadDlg)
                                                            : static_cast<QDialog*>(new CFtpDownloadDlg));
        QStringList found;
        for (const QPushButton* each : dialog->findChildren<QPushButton*>())
            if (qobject_cast<const CSkinButton*>(each))
                found << each->objectName();
        found.sort();
        QCOMPARE(found, skinned);
        for (const QProgressBar* bar : dialog->findChildren<QProgressBar*>())
            QVERIFY(!bar->isTextVisible());
    }

    // 数据下载 connects and lists with the fixed account ("library"), whatever its fields
    // hold, and fetches with the account its fields show when 下载 is pressed.
    void downloadGoesWithTheFieldsAccount_data()
    {
        QTest::addColumn<FtpAccount>("fields");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("fetched");
        QTest::newRow("the fields' account") << account() << "下载完毕，共下载了1个文件!" << QStringList{kBook};
        QTest::newRow("a wrong password in the fields")
            << account(QStringLiteral("wrong")) << "连接失败,请检查连接参数!" << QStringList{};
        QTest::newRow("no port in the fields is port 21")
            << FtpAccount{QStringLiteral("127.0.0.1"), 0, QStringLiteral("teacher"), QStringLiteral("chalk-2017")}
            << "连接失败,请检查连接参数!" << QStringList{};
    }
    void downloadGoesWithTheFieldsAccount()
    {
        QFETCH(FtpAccount, fields);
        QFETCH(QString, message);
        QFETCH(QStringList, fetched);
        QVERIFY(writeFile(serverRoot().filePath(kBook), "figures"));
        saveKeys(QStringLiteral("Exchange"), {{"host", "127.0.0.1"}, {"port", QString::number(serverPort())}});
        CDataDownloadDlg download;
        fillAccount(download, fields);
        button(download, "m_btnConnect")->click();
        QTRY_COMPARE(items(download, "m_listServer"), QStringList{kBook});
        QVERIFY(m_work->seams.prompter.messages.isEmpty());
        button(download, "m_btnAddAllFiles")->click();
        edit(download, "m_editFolder")->setText(here(QStringLiteral("in")));
        button(download, "m_btnDownload")->click();
        QCOMPARE(said(1), message);
        QCOMPARE(filesIn(QStringLiteral("in")), fetched);
    }

    // The export writes the unit as last taken, the one its file is named after, and the
    // download twin fetches into the folder as last taken.
    void fieldsAsLastTaken()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into danweiinfo values ('实验小学'), ('第二中学')")));
        QVERIFY(theApp().m_ado.ExecuteSql(
            QStringLiteral("insert into bkinfo (图书编号, 图书类别, 单价, 入库时间) values ('B1', '文学', 20, '2017-01-01')")));
        QVERIFY(QDir::current().mkpath(QStringLiteral("data")));
        CDataUploadDlg upload;
        auto* units = upload.findChild<QComboBox*>("m_cboUnit");
        units->setCurrentText(QStringLiteral("实验小学"));
        m_work->seams.chooser.answers << here(QStringLiteral("data/") + kBook);
        button(upload, "m_btnBrowseExport")->click();
        units->setCurrentText(QStringLiteral("第二中学"));
        edit(upload, "m_editExportPath")->setText(here(QStringLiteral("data/typed.dat")));
        button(upload, "m_btnExport")->click();
        QCOMPARE(texts(), QStringList{"导出数据成功!"});
        QVERIFY(!QFile::exists(here(QStringLiteral("data/typed.dat"))));
        QVERIFY(fileBytes(here(QStringLiteral("data/") + kBook)).contains(toGbk("实验小学\t文学")));

        QVERIFY(writeFile(serverRoot().filePath(kBook), "figures"));
        saveKeys(QStringLiteral("Net"), {{"id", "127.0.0.1"}, {"user", "teacher"}, {"pwd", "chalk-2017"},
                                         {"port", QString::number(serverPort())}});
        CFtpDownloadDlg download;
        download.findChild<QListWidget*>("m_listFetch")->addItem(kBook);
        edit(download, "m_editFolder")->setText(here(QStringLiteral("in")));
        button(download, "m_btnDownload")->click();
        QCOMPARE(texts().last(), QStringLiteral("请设置下载目录!"));
        button(download, "m_btnTestConnect")->click();
        QCOMPARE(said(3), QStringLiteral("连接服务器成功!"));
        button(download, "m_btnDownload")->click();
        QCOMPARE(said(4), QStringLiteral("下载完毕，共下载了1个文件!"));
        QCOMPARE(filesIn(QStringLiteral("in")), QStringList{kBook});
    }

    void wrongFixedAccountIsSaid()
    {
        saveKeys(QStringLiteral("Exchange"),
                 {{"host", "127.0.0.1"}, {"port", QString::number(serverPort())}, {"pwd", "wrong"}});
        CDataDownloadDlg download;
        edit(download, "m_editServer")->setText(QStringLiteral("any"));
        button(download, "m_btnConnect")->click();
        QCOMPARE(said(1), QStringLiteral("连接服务器失败!"));
        QCOMPARE(button(download, "m_btnConnect")->text(), QStringLiteral("连接"));
        button(download, "m_btnMerge")->click();
        edit(download, "m_editWorkbook")->setText(QStringLiteral("x.xls"));
        button(download, "m_btnMerge")->click();
        QCOMPARE(texts().mid(1), QStringList({"请设置导出文件目录!", "请设置下载目录!"}));
    }

    // Closing the window stops its download; the file cut short leaves nothing behind.
    void closingStopsTheDownload()
    {
        QByteArray big(64 * 1024 * 1024, 'x');
        QVERIFY(writeFile(serverRoot().filePath(QStringLiteral("big.dat")), big));
        saveKeys(QStringLiteral("Exchange"), {{"host", "127.0.0.1"}, {"port", QString::number(serverPort())}});
        {
            CDataDownloadDlg download;
            download.show();
            auto* fetch = download.findChild<QListWidget*>("m_listFetch");
            fetch->addItem(QStringLiteral("big.dat"));
            fillAccount(download, account());
            edit(download, "m_editFolder")->setText(here(QStringLiteral("in")));
            button(download, "m_btnDownload")->click();
            // The window stays usable while its download runs; one download at a time.
            QVERIFY(!button(download, "m_btnDownload")->isEnabled());
            for (const char* name : {"m_btnConnect", "m_btnMerge", "m_btnAddAllFiles", "m_btnBrowseFolder"})
                QVERIFY2(button(download, name)->isEnabled(), name);
            download.reject();
        }
        QVERIFY(filesIn(QStringLiteral("in")).isEmpty());
        QVERIFY(texts().isEmpty());
    }
};

QTEST_MAIN(TestFtpExchange)
#include "test_ftp_exchange.moc"
