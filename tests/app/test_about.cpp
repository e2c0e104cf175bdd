#include "support/TestSupport.h"

#include "app/AboutDlg.h"
#include "controls/HyperLink.h"

#include <QDesktopServices>
#include <QtTest>

namespace {
// Receives the links the tests open instead of a browser.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

void hover(CHyperLink& link, bool inside)
{
    if (inside) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(&link, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&link, &leave);
    }
}
}

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void linkColoursFollowState();
    void failedTargetIsReportedAndVisited();
    void aboutLinksPointToOurHelpPage();
};

void TestAbout::linkColoursFollowState()
{
    ScriptedSeams seams;
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("schoollibtest"), &catcher, "open");
    CHyperLink link;
    link.setText(QStringLiteral("链接"));
    link.SetLink(QStringLiteral("schoollibtest://page"), Qt::blue, Qt::red, Qt::darkYellow, true);
    QCOMPARE(link.TextColour(), QColor(Qt::blue));
    QVERIFY(link.font().underline());
    hover(link, true);
    QCOMPARE(link.TextColour(), QColor(Qt::darkYellow));
    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("schoollibtest://page"))});
    QCOMPARE(link.TextColour(), QColor(Qt::red));
    hover(link, false);
    hover(link, true);
    QCOMPARE(link.TextColour(), QColor(Qt::red));
    QCOMPARE(link.palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(seams.prompter.messages.isEmpty());
    QDesktopServices::unsetUrlHandler(QStringLiteral("schoollibtest"));
}

void TestAbout::failedTargetIsReportedAndVisited()
{
    ScriptedSeams seams;
    QTemporaryDir dir;
    CHyperLink link;
    link.SetLink(dir.filePath(QStringLiteral("missing.html")), Qt::blue, Qt::red, Qt::darkYellow, false);
    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("提供的超级链接或者指定的文件无法执行")});
    QVERIFY(link.IsVisited());
    QCOMPARE(link.TextColour(), QColor(Qt::red));
}

void TestAbout::aboutLinksPointToOurHelpPage()
{
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    CAboutDlg dlg;
    auto* help = dlg.findChild<CHyperLink*>(QStringLiteral("m_stcLink"));
    QCOMPARE(QUrl(help->URL()).toLocalFile(), QDir(folder.path()).absoluteFilePath(QStringLiteral("help.html")));
    QVERIFY(!dlg.findChild<CHyperLink*>(QStringLiteral("m_stcLink2"))->isVisibleTo(&dlg));
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
