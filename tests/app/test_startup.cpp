#include "app/LibraryApp.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QtTest>

// Start-up runs real modal windows; a timer answers the login window the way a user would.
class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void missingOrForeignDatabaseEnds_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a database") << QByteArray("just some text\n");
    }

    void missingOrForeignDatabaseEnds()
    {
        QFETCH(QByteArray, content);
        ScriptedSeams seams;
        TestProgramFolder folder;
        theApp().m_ado.ExitConnect();
        QFile::remove(folder.databasePath());
        if (!content.isEmpty()) {
            QFile file(folder.databasePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        CLibraryApp app;
        QVERIFY(app.InitInstance() != 0);
        QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("ADO连接错误！")});
        QCOMPARE(QFile::exists(folder.databasePath()), !content.isEmpty());
    }

    void refusedLoginEndsWithCodeOne()
    {
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        theApp().m_strOperator.clear();
        QString operatorDuringLogin;
        QTimer::singleShot(0, [&] {
            operatorDuringLogin = theApp().m_strOperator;
            QApplication::activeModalWidget()->close();
        });
        CLibraryApp app;
        QCOMPARE(app.InitInstance(), 1);
        QCOMPARE(operatorDuringLogin, QStringLiteral("超级用户"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
