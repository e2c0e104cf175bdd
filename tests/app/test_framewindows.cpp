#include "support/TestSupport.h"

#include "app/FrameWindows.h"
#include "controls/CommandTable.h"

#include <QtTest>

class TestFrameWindows : public QObject {
    Q_OBJECT
private slots:
    void commandsOpenTheirWindows_data();
    void commandsOpenTheirWindows();
};

void TestFrameWindows::commandsOpenTheirWindows_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("window");
    QTest::newRow("管理员设置") << 32791 << "CAdminSetDlg";
    QTest::newRow("toolbar 操作员") << 1014 << "CAdminSetDlg";
    QTest::newRow("系统信息") << 32793 << "CLibraryInfoDlg";
    QTest::newRow("公告栏") << 32885 << "CNoticeBoardDlg";
    QTest::newRow("关于") << 32818 << "CAboutDlg";
    QTest::newRow("系统计算器") << 32847 << "CCalculator2Dlg";
}

void TestFrameWindows::commandsOpenTheirWindows()
{
    QFETCH(int, command);
    QFETCH(QString, window);
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    CommandTable table;
    registerFrameWindows(table);
    const std::unique_ptr<QDialog> dlg = table.create(command);
    QVERIFY(dlg);
    QCOMPARE(dlg->objectName(), window);
    QVERIFY(seams.prompter.messages.isEmpty());
}

QTEST_MAIN(TestFrameWindows)
#include "test_framewindows.moc"
