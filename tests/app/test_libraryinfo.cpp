#include "support/TestSupport.h"

#include "app/LibraryDlg.h"
#include "app/LibraryInfoDlg.h"
#include "db/AppState.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
QStringList storedRows()
{
    QStringList rows;
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select * from tushuguaninfo"));
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().join(QLatin1Char('|'));
    return rows;
}

struct Window {
    CLibraryInfoDlg dlg;
    QLineEdit* edit(const char* name) { return dlg.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QPushButton* modify() { return dlg.findChild<QPushButton*>(QStringLiteral("m_btnModify")); }
    QList<QLineEdit*> edits()
    {
        return {edit("m_edtLibName"), edit("m_edtManager"), edit("m_edtAddress"), edit("m_edtPostcode")};
    }
};
}

class TestLibraryInfo : public QObject {
    Q_OBJECT
private slots:
    void opensReadOnly();
    void savesAndRenamesMainWindow_data();
    void savesAndRenamesMainWindow();
    void missingRowIsReportedAndStaysEditable();
};

void TestLibraryInfo::opensReadOnly()
{
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    Window w;
    QCOMPARE(w.edit("m_edtLibName")->text(), QStringLiteral("学校图书馆"));
    for (QLineEdit* edit : w.edits())
        QVERIFY(!edit->isEnabled());
    QCOMPARE(w.modify()->text(), QStringLiteral("修改信息"));
    w.dlg.findChild<QPushButton*>(QStringLiteral("m_btnExit"))->click();
    QCOMPARE(storedRows(), QStringList{QStringLiteral("学校图书馆|||")});
    QVERIFY(seams.prompter.messages.isEmpty());
}

void TestLibraryInfo::savesAndRenamesMainWindow_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::newRow("all four") << QStringList{"城南中学图书馆", "王老师", "城南路 1 号", "100000"};
    QTest::newRow("all empty") << QStringList{"", "", "", ""};
    QTest::newRow("quotes stay text") << QStringList{"O'Brien's 书屋", "a'b", "'", "''"};
}

void TestLibraryInfo::savesAndRenamesMainWindow()
{
    QFETCH(QStringList, values);
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    CLibraryDlg mainWindow;
    QCOMPARE(mainWindow.windowTitle(), QStringLiteral("学校图书馆"));

    Window w;
    w.modify()->click();
    QCOMPARE(w.modify()->text(), QStringLiteral("保存信息"));
    for (int i = 0; i < 4; ++i) {
        QVERIFY(w.edits()[i]->isEnabled());
        w.edits()[i]->setText(values[i]);
    }
    w.modify()->click();

    QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("保存成功.")});
    QCOMPARE(storedRows(), QStringList{values.join(QLatin1Char('|'))});
    QCOMPARE(mainWindow.windowTitle(), values[0]);
    QCOMPARE(w.modify()->text(), QStringLiteral("修改信息"));
    for (QLineEdit* edit : w.edits())
        QVERIFY(!edit->isEnabled());

    Window reopened;
    for (int i = 0; i < 4; ++i)
        QCOMPARE(reopened.edits()[i]->text(), values[i]);
}

void TestLibraryInfo::missingRowIsReportedAndStaysEditable()
{
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("delete from tushuguaninfo")));
    Window w;
    QCOMPARE(w.edit("m_edtLibName")->text(), QString());
    w.modify()->click();
    w.edit("m_edtLibName")->setText(QStringLiteral("新馆"));
    w.modify()->click();
    QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("操作失败!")});
    QCOMPARE(w.modify()->text(), QStringLiteral("保存信息"));
    QVERIFY(w.edit("m_edtLibName")->isEnabled());
    QVERIFY(storedRows().isEmpty());
}

QTEST_MAIN(TestLibraryInfo)
#include "test_libraryinfo.moc"
