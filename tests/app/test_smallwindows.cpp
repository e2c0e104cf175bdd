#include "support/TestSupport.h"

#include "app/AboutDlg.h"
#include "app/LibraryDlg.h"
#include "app/LibraryInfoDlg.h"
#include "app/NoticeBoardDlg.h"
#include "controls/HyperLink.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
QStringList storedRows(const QString& table)
{
    QStringList rows;
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select * from %1 order by rowid").arg(table));
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().join(QLatin1Char('|'));
    return rows;
}

template <typename T> T* child(QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

bool addNotice(const QString& title, const QString& content)
{
    return theApp().m_ado.ExecuteSql(QStringLiteral("insert into gonggao values (?, ?)"), {title, content});
}
}

class TestSmallWindows : public QObject {
    Q_OBJECT
private slots:
    void libraryInfoSavesAndLoads_data();
    void libraryInfoSavesAndLoads();
    void addNotice_data();
    void addNotice();
    void deleteNotice();
    void missingHelpPageIsReported();
};

void TestSmallWindows::libraryInfoSavesAndLoads_data()
{
    QTest::addColumn<bool>("rowExists");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("all four") << true << QStringList{"城南中学图书馆", "王老师", "城南路 1 号", "100000"};
    QTest::newRow("quotes stay text") << true << QStringList{"O'Brien's 书屋", "a'b", "'", "''"};
    QTest::newRow("no row to update") << false << QStringList{"新馆", "", "", ""};
}

void TestSmallWindows::libraryInfoSavesAndLoads()
{
    QFETCH(bool, rowExists);
    QFETCH(QStringList, values);
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    if (!rowExists)
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("delete from tushuguaninfo")));
    CLibraryDlg mainWindow;
    const QString caption = mainWindow.windowTitle();
    const char* edits[] = {"m_edtLibName", "m_edtManager", "m_edtAddress", "m_edtPostcode"};
    CLibraryInfoDlg dlg;
    child<QPushButton>(dlg, "m_btnModify")->click();
    for (int i = 0; i < 4; ++i)
        child<QLineEdit>(dlg, edits[i])->setText(values[i]);
    child<QPushButton>(dlg, "m_btnModify")->click();
    if (!rowExists) {
        QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("操作失败!")});
        QVERIFY(child<QLineEdit>(dlg, "m_edtLibName")->isEnabled());
        QVERIFY(storedRows(QStringLiteral("tushuguaninfo")).isEmpty());
        QCOMPARE(mainWindow.windowTitle(), caption);
        return;
    }
    QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("保存成功.")});
    QCOMPARE(storedRows(QStringLiteral("tushuguaninfo")), QStringList{values.join(QLatin1Char('|'))});
    QCOMPARE(mainWindow.windowTitle(), values[0]);
    CLibraryInfoDlg reopened;
    for (int i = 0; i < 4; ++i)
        QCOMPARE(child<QLineEdit>(reopened, edits[i])->text(), values[i]);
}

void TestSmallWindows::addNotice_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("added") << "开馆时间" << "周一至周五 8:00-17:00" << "";
    QTest::newRow("quotes") << "It's" << "a 'quoted' text" << "";
    QTest::newRow("two lines") << "两行" << "第一行\n第二行" << "";
    QTest::newRow("no title") << "" << "内容" << "请输入标题!\n";
    QTest::newRow("no text") << "标题" << "" << "请输入内容!\n";
    QTest::newRow("title taken") << "通知" << "改过的" << "标题已存在！";
}

void TestSmallWindows::addNotice()
{
    QFETCH(QString, title);
    QFETCH(QString, content);
    QFETCH(QString, message);
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    QVERIFY(::addNotice(QStringLiteral("通知"), QStringLiteral("第一条")));
    CNoticeBoardDlg dlg;
    child<QLineEdit>(dlg, "m_edtTitle")->setText(title);
    child<QPlainTextEdit>(dlg, "m_edtContent")->setPlainText(content);
    child<QPushButton>(dlg, "m_btnAdd")->click();
    QStringList expected{QStringLiteral("通知|第一条")};
    if (message.isEmpty())
        expected << title + QLatin1Char('|') + content;
    QCOMPARE(seams.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(storedRows(QStringLiteral("gonggao")), expected);
    QCOMPARE(child<CReportListCtrl>(dlg, "m_lstNotice")->GetItemCount(), expected.size());
}

void TestSmallWindows::deleteNotice()
{
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    QVERIFY(::addNotice(QStringLiteral("甲"), QStringLiteral("一")) && ::addNotice(QStringLiteral("乙"), QStringLiteral("二")));
    CNoticeBoardDlg dlg;
    auto* list = child<CReportListCtrl>(dlg, "m_lstNotice");
    child<QPushButton>(dlg, "m_btnDelete")->click();
    QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("请选定记录!\n")});
    QCOMPARE(storedRows(QStringLiteral("gonggao")).size(), 2);
    list->SetSelected(0, true);
    const QString deleted = list->GetItemText(0, 0);
    child<QPushButton>(dlg, "m_btnDelete")->click();
    QCOMPARE(seams.prompter.texts().size(), 1);
    QCOMPARE(storedRows(QStringLiteral("gonggao")).size(), 1);
    QVERIFY(!storedRows(QStringLiteral("gonggao")).first().startsWith(deleted));
    QCOMPARE(list->GetItemCount(), 1);
}

void TestSmallWindows::missingHelpPageIsReported()
{
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    CAboutDlg dlg;
    QTest::mouseClick(child<CHyperLink>(dlg, "m_stcLink"), Qt::LeftButton);
    QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("提供的超级链接或者指定的文件无法执行")});
    QVERIFY(child<CHyperLink>(dlg, "m_stcLink")->IsVisited());
}

QTEST_MAIN(TestSmallWindows)
#include "test_smallwindows.moc"
