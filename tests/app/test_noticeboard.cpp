#include "support/TestSupport.h"

#include "app/NoticeBoardDlg.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
QStringList storedNotices()
{
    QStringList rows;
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select * from gonggao order by rowid"));
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().join(QLatin1Char('|'));
    return rows;
}

struct Window {
    TestProgramFolder folder;
    ScriptedSeams seams;
    CNoticeBoardDlg dlg;

    Window() { dlg.show(); }
    QLineEdit* title() { return dlg.findChild<QLineEdit*>(QStringLiteral("m_edtTitle")); }
    QPlainTextEdit* content() { return dlg.findChild<QPlainTextEdit*>(QStringLiteral("m_edtContent")); }
    CReportListCtrl* list() { return dlg.findChild<CReportListCtrl*>(QStringLiteral("m_lstNotice")); }
    void click(const char* button) { dlg.findChild<QPushButton*>(QString::fromLatin1(button))->click(); }
    void add(const QString& t, const QString& c)
    {
        title()->setText(t);
        content()->setPlainText(c);
        click("m_btnAdd");
    }
    void doubleClickRow(int row)
    {
        QCoreApplication::processEvents();
        const QRect rect = list()->visualItemRect(list()->topLevelItem(row));
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
        QCoreApplication::processEvents();
    }
};
}

class TestNoticeBoard : public QObject {
    Q_OBJECT
private slots:
    void add_data();
    void add();
    void titleIsUsedOnce();
    void lineBreaksSurviveTheRoundTrip();
    void deleteNotices();
    void unreadableTableIsReported();
};

void TestNoticeBoard::add_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("added") << "开馆时间" << "周一至周五 8:00-17:00" << "";
    QTest::newRow("quotes") << "It's" << "a 'quoted' text" << "";
    QTest::newRow("no title") << "" << "内容" << "请输入标题!\n";
    QTest::newRow("no text") << "标题" << "" << "请输入内容!\n";
}

void TestNoticeBoard::add()
{
    QFETCH(QString, title);
    QFETCH(QString, content);
    QFETCH(QString, message);
    Window w;
    QVERIFY(w.folder.isReady());
    w.add(title, content);
    QCOMPARE(w.seams.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(storedNotices(), message.isEmpty() ? QStringList{title + QLatin1Char('|') + content} : QStringList());
    QCOMPARE(w.list()->GetItemCount(), message.isEmpty() ? 1 : 0);
    if (message.isEmpty())
        QCOMPARE(w.title()->text(), QString());
}

void TestNoticeBoard::titleIsUsedOnce()
{
    Window w;
    QVERIFY(w.folder.isReady());
    w.add(QStringLiteral("通知"), QStringLiteral("第一条"));
    w.doubleClickRow(0);
    w.content()->setPlainText(QStringLiteral("改过的"));
    w.click("m_btnAdd");
    QCOMPARE(w.seams.prompter.texts(), QStringList{QStringLiteral("标题已存在！")});
    QCOMPARE(storedNotices(), QStringList{QStringLiteral("通知|第一条")});
    QCOMPARE(w.content()->toPlainText(), QStringLiteral("改过的"));
}

void TestNoticeBoard::lineBreaksSurviveTheRoundTrip()
{
    Window w;
    QVERIFY(w.folder.isReady());
    const QString text = QStringLiteral("第一行\n第二行");
    w.add(QStringLiteral("两行"), text);
    QCOMPARE(storedNotices(), QStringList{QStringLiteral("两行|") + text});
    QCOMPARE(w.list()->GetItemText(0, 1), QStringLiteral("第一行 第二行"));
    w.doubleClickRow(0);
    QCOMPARE(w.title()->text(), QStringLiteral("两行"));
    QCOMPARE(w.content()->toPlainText(), text);
}

void TestNoticeBoard::deleteNotices()
{
    Window w;
    QVERIFY(w.folder.isReady());
    w.add(QStringLiteral("甲"), QStringLiteral("一"));
    w.add(QStringLiteral("乙"), QStringLiteral("二"));
    w.click("m_btnDelete");
    QCOMPARE(w.seams.prompter.texts(), QStringList{QStringLiteral("请选定记录!\n")});
    QCOMPARE(storedNotices().size(), 2);

    w.list()->SetSelected(0, true);
    const QString first = w.list()->GetItemText(0, 0);
    w.title()->setText(QStringLiteral("残留"));
    w.click("m_btnDelete");
    QCOMPARE(w.seams.prompter.texts().size(), 1);
    QCOMPARE(storedNotices().size(), 1);
    QVERIFY(!storedNotices().first().startsWith(first));
    QCOMPARE(w.list()->GetItemCount(), 1);
    QCOMPARE(w.title()->text(), QString());
}

void TestNoticeBoard::unreadableTableIsReported()
{
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("drop table gonggao")));
    CNoticeBoardDlg dlg;
    QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("操作失败!")});
}

QTEST_MAIN(TestNoticeBoard)
#include "test_noticeboard.moc"
