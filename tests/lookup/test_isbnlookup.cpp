// The online ISBN lookup of the book entry window, offscreen, against a real HTTP server
// on 127.0.0.1 that plays the three catalogue services.
#include "catalogue/BookAddDlg.h"
#include "lookup/CatalogueReplies.h"
#include "core/IniFile.h"
#include "db/AppState.h"
#include "support/HttpTestServer.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTcpServer>
#include <QTreeWidget>
#include <QtTest>

namespace {
const QString kScannedIsbn = QStringLiteral("9787020002207");
}

class TestIsbnLookup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(server.isReady()); }
    void init()
    {
        server.clearReplies();
        server.clearRequests();
        seams = std::make_unique<ScriptedSeams>();
        folder = std::make_unique<TestProgramFolder>();
        QVERIFY(folder->isReady());
        configure(server.baseUrl(), server.baseUrl(), server.baseUrl());
        dialog = std::make_unique<CBookAddDlg>();
        dialog->show();
    }

    void cleanup()
    {
        dialog.reset();
        folder.reset();
        seams.reset();
    }

    void bestRowWhateverTheOrder_data()
    {
        QTest::addColumn<double>("opacDelay");
        QTest::addColumn<double>("reviewDelay");
        QTest::addColumn<double>("secondHandDelay");
        QTest::newRow("catalogue first") << 0.0 << 0.3 << 0.6;
        QTest::newRow("catalogue between") << 0.3 << 0.0 << 0.6;
        QTest::newRow("catalogue last") << 0.6 << 0.3 << 0.0;
    }
    void bestRowWhateverTheOrder()
    {
        QFETCH(double, opacDelay);
        QFETCH(double, reviewDelay);
        QFETCH(double, secondHandDelay);
        serveAll(opacDelay, reviewDelay, secondHandDelay);
        find<QCheckBox>("m_chkScanBookNo")->setChecked(true);
        find<QLineEdit>("m_edtBookNo")->setText(QStringLiteral("B0001"));
        scan(kScannedIsbn);
        QCOMPARE(status(), QStringLiteral("搜索到0条图书信息！"));
        QTRY_VERIFY_WITH_TIMEOUT(finished(), 5000);
        QCOMPARE(status(), QStringLiteral("搜索到3条图书信息,搜索结束!"));
        QCOMPARE(resultRows(), 3);
        QCOMPARE(find<QProgressBar>("m_progressSearch")->value(), 30);
        QVERIFY(!find<QProgressBar>("m_progressSearch")->isTextVisible());
        QCOMPARE(text("m_edtIsbn"), kScannedIsbn);
        QCOMPARE(text("m_edtClassNo"), QStringLiteral("I242.4"));
        QCOMPARE(text("m_edtTitle"), QStringLiteral("红楼梦"));
        QCOMPARE(text("m_edtAuthor"), QStringLiteral("曹雪芹"));
        QCOMPARE(text("m_edtPrice"), QStringLiteral("59.70"));
        QCOMPARE(text("m_edtBookNo"), QString());
        QCOMPARE(text("m_edtCopyNo"), QStringLiteral("1"));
        QVERIFY(find<QComboBox>("m_cmbBookType")->currentText().startsWith(QLatin1Char('I')));
        QVERIFY(find<QPlainTextEdit>("m_edtSummary")->toPlainText().startsWith(QStringLiteral("《红楼梦》")));
        QVERIFY(seams->prompter.messages.isEmpty());
    }

    // The window answers while a service delays: the quick replies are shown before the slow one.
    void scanDuringLookupOnlyEmptiesInput()
    {
        serveAll(1.5, 0, 0);
        QElapsedTimer clock;
        clock.start();
        scan(kScannedIsbn);
        QVERIFY(clock.elapsed() < 500);
        QTRY_COMPARE(resultRows(), 2);
        scan(QStringLiteral("9787101003048"));
        QCOMPARE(text("m_edtSearchIsbn"), QString());
        QCOMPARE(resultRows(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(finished(), 5000);
        QCOMPARE(resultRows(), 3);
        for (const HttpTestServer::Request& r : server.requests())
            QVERIFY2(!r.path.contains(QStringLiteral("9787101003048")) && !r.query.contains(QStringLiteral("9787101003048")),
                     qPrintable(r.path));
        server.clearRequests();
        scan(kScannedIsbn);
        QTRY_VERIFY_WITH_TIMEOUT(finished(), 5000);
        QVERIFY(!server.requests().isEmpty());
    }

    // The review worker holds the lookup's row lock from its start: the rows of quicker
    // services wait for its own.
    void reviewRowBeforeQuickerOnes()
    {
        serveAll(0, 0.6, 0);
        scan(kScannedIsbn);
        QTRY_VERIFY_WITH_TIMEOUT(finished(), 5000);
        QCOMPARE(resultRows(), 3);
        QCOMPARE(find<QTreeWidget>("m_listResults")->topLevelItem(0)->text(10),
                 QStringLiteral("http://img.example.org/s1070959.jpg"));
    }

    // The scan is taken as it stands: thirteen characters start a lookup, blanks counted.
    void scanLength_data()
    {
        QTest::addColumn<QString>("isbn");
        QTest::addColumn<bool>("starts");
        QTest::newRow("twelve digits") << "978702000220" << false;
        QTest::newRow("twelve digits and a blank") << "978702000220 " << true;
    }
    void scanLength()
    {
        QFETCH(QString, isbn);
        QFETCH(bool, starts);
        serveAll(0, 0, 0);
        find<QLabel>("m_lblSearchStatus")->setText(QStringLiteral("before"));
        scan(isbn);
        if (starts) {
            // The lookup ends here: requests still coming would land in the next test.
            QTRY_VERIFY_WITH_TIMEOUT(finished(), 5000);
            QVERIFY(!server.requests().isEmpty());
            QCOMPARE(text("m_edtSearchIsbn"), QString());
        } else {
            QTest::qWait(200);
            QCOMPARE(status(), QStringLiteral("before"));
            QCOMPARE(text("m_edtSearchIsbn"), isbn);
            QVERIFY(server.requests().isEmpty());
        }
        QVERIFY(seams->prompter.messages.isEmpty());
    }

    void localHitAsksNoService_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("shown");
        QTest::newRow("unit after the number") << QStringLiteral("25.00元") << QStringLiteral("25.00");
        QTest::newRow("currency ahead") << QStringLiteral("CNY25") << QString();
    }
    void localHitAsksNoService()
    {
        QFETCH(QString, price);
        const QString insert = QStringLiteral("insert into bkinfo (条形码, 图书编号, 分类号, 书名, 单价) values (?, ?, ?, ?, ?)");
        QVERIFY(theApp().m_ado.ExecuteSql(insert, {kScannedIsbn, QStringLiteral("B1"), QString(), QStringLiteral("无分类"), price}));
        QVERIFY(theApp().m_ado.ExecuteSql(insert, {kScannedIsbn, QStringLiteral("B2"), QStringLiteral("I242"), QStringLiteral("红楼梦"), price}));
        find<QCheckBox>("m_chkSearchLocal")->setChecked(true);
        scan(kScannedIsbn);
        QCOMPARE(resultRows(), 2);
        QCOMPARE(status(), QStringLiteral("搜索到2条图书信息！"));
        QCOMPARE(text("m_edtTitle"), QStringLiteral("红楼梦"));
        QTEST(text("m_edtPrice"), "shown");
        QCOMPARE(text("m_edtSearchIsbn"), QString());
        QTest::qWait(100);
        QVERIFY(server.requests().isEmpty());
    }

    void closingMidLookup()
    {
        serveAll(1.5, 1.5, 1.5);
        scan(kScannedIsbn);
        seams->prompter.answers.enqueue(QMessageBox::No);
        dialog->reject();
        QVERIFY(dialog->isVisible());
        QCOMPARE(seams->prompter.lastText(), QStringLiteral("搜索线程还没结束，强制退出会造成系统不稳定！"));
        QCOMPARE(seams->prompter.messages.last().caption, QStringLiteral("警告"));
        QCOMPARE(seams->prompter.messages.last().defaultButton, QMessageBox::NoButton);
        seams->prompter.answers.enqueue(QMessageBox::Yes);
        QElapsedTimer clock;
        clock.start();
        dialog->reject();
        QVERIFY(!dialog->isVisible());
        QVERIFY(clock.elapsed() < 1000);
        QTest::qWait(2000);
        QCOMPARE(resultRows(), 0);
        QCOMPARE(status(), QStringLiteral("搜索到0条图书信息！"));
    }

    void statusWithoutServices_data()
    {
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("message");
        QTest::newRow("none offered") << false << QStringLiteral("未设置联网搜索的服务地址！");
        QTest::newRow("none reachable") << true << QStringLiteral("无法连接网络，未能联网搜索图书信息！");
    }
    void statusWithoutServices()
    {
        QFETCH(bool, offered);
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString nowhere = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
        closed.close();
        configure(offered ? nowhere : QString(), offered ? nowhere : QString(), QString());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        scan(kScannedIsbn);
        QTRY_VERIFY_WITH_TIMEOUT(!status().startsWith(QStringLiteral("搜索到")), 5000);
        QTEST(status(), "message");
        QVERIFY(find<QLineEdit>("m_edtSearchIsbn")->hasFocus());
        QVERIFY(seams->prompter.messages.isEmpty());
    }

    void doubleClickTakesThatRow()
    {
        serveAll(0, 0, 0);
        scan(kScannedIsbn);
        QTRY_VERIFY_WITH_TIMEOUT(finished(), 5000);
        QTreeWidget* results = find<QTreeWidget>("m_listResults");
        QTreeWidgetItem* secondHand = nullptr;
        for (int i = 0; i < results->topLevelItemCount(); ++i)
            if (results->topLevelItem(i)->text(2).startsWith(QStringLiteral("红楼梦（")))
                secondHand = results->topLevelItem(i);
        QVERIFY(secondHand);
        results->setCurrentItem(secondHand);
        QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, results->visualItemRect(secondHand).center());
        QTest::qWait(0);
        QCOMPARE(text("m_edtTitle"), QStringLiteral("红楼梦（第1册）"));
        QCOMPARE(find<QComboBox>("m_cmbFormat")->currentText(), QStringLiteral("32开"));
        QCOMPARE(text("m_edtClassNo"), QString());
        QCOMPARE(text("m_edtPrice"), QString());
    }

    // Right refills the form from the best row wherever the focus is, a field of the form
    // (a text field or an editable combo) too.
    void rightKeyRefillsFromAnywhere_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("书名") << "m_edtTitle";
        QTest::newRow("出版社名") << "m_cmbPublisher";
        QTest::newRow("开本") << "m_cmbFormat";
        QTest::newRow("版次") << "m_cmbEdition";
        QTest::newRow("书架名称") << "m_cmbShelf";
        QTest::newRow("图书类别") << "m_cmbBookType";
        QTest::newRow("results list") << "m_listResults";
    }
    void rightKeyRefillsFromAnywhere()
    {
        QFETCH(QString, field);
        serveAll(0, 0, 0);
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        scan(kScannedIsbn);
        QTRY_VERIFY_WITH_TIMEOUT(finished(), 5000);
        QLineEdit* title = find<QLineEdit>("m_edtTitle");
        title->setText(QStringLiteral("红楼梦（校）"));
        QWidget* focused = dialog->findChild<QWidget*>(field);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Right);
        QCOMPARE(title->text(), QStringLiteral("红楼梦"));
    }
private:
    template <typename T> T* find(const char* name) { return child<T>(dialog.get(), name); }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    QString status() { return find<QLabel>("m_lblSearchStatus")->text(); }
    int resultRows() { return find<QTreeWidget>("m_listResults")->topLevelItemCount(); }
    void configure(const QString& opac, const QString& review, const QString& secondhand, int timeout = 10)
    {
        IniFile ini(folder->path() + QStringLiteral("/setup.ini"));
        ini.setValue(QStringLiteral("Lookup"), QStringLiteral("opac"), opac);
        ini.setValue(QStringLiteral("Lookup"), QStringLiteral("review"), review);
        ini.setValue(QStringLiteral("Lookup"), QStringLiteral("secondhand"), secondhand);
        ini.setValue(QStringLiteral("Lookup"), QStringLiteral("timeout"), QString::number(timeout));
        QVERIFY(ini.save());
    }

    // One row from each service; only the catalogue's row has a classification number.
    void serveAll(double opacDelay, double reviewDelay, double secondHandDelay)
    {
        const QByteArray base = server.baseUrl().toUtf8();
        server.setReply(QStringLiteral("/F"), reply("opac-entry.html").replace("{base}", base));
        QByteArray hits = reply("opac-hits.html").replace("{base}", base).replace("{count}", "1");
        hits.replace("{record}", reply("opac-record.html").replace("{title}", "红楼梦"));
        server.setReply(QStringLiteral("/F/SESSION-4711"), HttpTestServer::Reply{hits, 200, opacDelay});
        server.setReply(CatalogueReplies::reviewPath(kScannedIsbn),
                        HttpTestServer::Reply{reply("review.xml").replace("{price}", "38.00元"), 200, reviewDelay});
        // Two offers: the market's page gives a row for each offer but its last.
        const QByteArray offers =
            reply("secondhand-offer.html").replace("{n}", "1") + reply("secondhand-offer.html").replace("{n}", "2");
        server.setReply(CatalogueReplies::secondHandPath(kScannedIsbn),
                        HttpTestServer::Reply{reply("secondhand.html").replace("{offers}", offers), 200, secondHandDelay});
    }

    void scan(const QString& isbn)
    {
        QLineEdit* input = find<QLineEdit>("m_edtSearchIsbn");
        input->setText(isbn);
        input->setFocus();
        QTest::keyClick(input, Qt::Key_Return);
    }

    bool finished() { return status().endsWith(QStringLiteral("搜索结束!")); }

    HttpTestServer server;
    std::unique_ptr<ScriptedSeams> seams;
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<CBookAddDlg> dialog;
};

QTEST_MAIN(TestIsbnLookup)
#include "test_isbnlookup.moc"
