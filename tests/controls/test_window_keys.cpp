#include "controls/EnterKeyFilter.h"
#include "controls/SearchEdit.h"
#include "controls/SearchText.h"
#include "support/TestSupport.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

class TestWindowKeys : public QObject {
    Q_OBJECT
private slots:
    void readsSearchText_data();
    void readsSearchText();
    void searchEditShowsAllWhenEmpty();
    void refusesEmptySearch();
    void enterRunsTheFieldsSearch();
    void enterElsewhereMovesTheFocus();
    void enterInATabPageBelongsToThePage();
    void enterInAWindowOpenedOverItIsLeftAlone();
};

void TestWindowKeys::readsSearchText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("filter");
    QTest::newRow("all") << "(全部)" << true << "";
    QTest::newRow("text") << "张三" << true << "张三";
    QTest::newRow("blanks around") << " 978 " << true << "978";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("only blanks") << "   " << false << "";
}

void TestWindowKeys::readsSearchText()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, filter);
    const SearchText::Filter read = SearchText::read(text);
    QCOMPARE(read.accepted, accepted);
    QCOMPARE(read.text, filter);
}

void TestWindowKeys::searchEditShowsAllWhenEmpty()
{
    QDialog window;
    auto* other = new QLineEdit(&window);
    auto* edit = new QLineEdit(&window);
    SearchEdit::attach(edit);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(edit->text(), QStringLiteral("(全部)"));
    edit->setFocus();
    QCOMPARE(edit->text(), QString());
    other->setFocus();
    QCOMPARE(edit->text(), QStringLiteral("(全部)"));
    edit->setFocus();
    QTest::keyClicks(edit, "abc");
    other->setFocus();
    QCOMPARE(edit->text(), QStringLiteral("abc"));

    edit->setFocus();
    QTest::keyClicks(edit, "978");
    QDialog message(&window);
    message.show();
    QVERIFY(QTest::qWaitForWindowActive(&message));
    message.close();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("978"));
}

void TestWindowKeys::refusesEmptySearch()
{
    ScriptedSeams seams;
    QLineEdit edit;
    SearchEdit::attach(&edit);
    QString filter = "old";
    QVERIFY(SearchEdit::takeFilter(nullptr, &edit, filter));
    QCOMPARE(filter, QString());
    edit.clear();
    QVERIFY(!SearchEdit::takeFilter(nullptr, &edit, filter));
    QCOMPARE(seams.prompter.texts(), QStringList{"请输入用查询信息！"});
}

void TestWindowKeys::enterRunsTheFieldsSearch()
{
    QDialog window;
    auto* search = new QLineEdit(&window);
    auto* button = new QPushButton("确定", &window);
    button->setDefault(true);
    EnterKeyFilter keys(&window);
    int searches = 0;
    keys.onEnter(search, [&] { ++searches; });
    QSignalSpy clicked(button, &QPushButton::clicked);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Return);
    QTest::keyClick(search, Qt::Key_Enter);
    QCOMPARE(searches, 2);
    QVERIFY(search->hasFocus());
    QVERIFY(window.isVisible());
    QCOMPARE(clicked.count(), 0);
}

void TestWindowKeys::enterElsewhereMovesTheFocus()
{
    QDialog window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    auto* button = new QPushButton("确定", &window);
    auto* notes = new QTextEdit(&window);
    QWidget::setTabOrder(first, second);
    QWidget::setTabOrder(second, button);
    QWidget::setTabOrder(button, notes);
    button->setDefault(true);
    EnterKeyFilter keys(&window);
    QSignalSpy clicked(button, &QPushButton::clicked);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    QVERIFY(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Return);
    QVERIFY(button->hasFocus());
    QTest::keyClick(button, Qt::Key_Return);
    QVERIFY(notes->hasFocus());
    QCOMPARE(clicked.count(), 0);
    QVERIFY(window.isVisible());
    QTest::keyClicks(notes, "a");
    QTest::keyClick(notes, Qt::Key_Return);
    QVERIFY(notes->hasFocus());
    QCOMPARE(notes->toPlainText(), QStringLiteral("a\n"));
}

void TestWindowKeys::enterInATabPageBelongsToThePage()
{
    QDialog window;
    auto* page = new QWidget(&window);
    auto* pageSearch = new QLineEdit(page);
    auto* outerSearch = new QLineEdit(&window);
    EnterKeyFilter outerKeys(&window);
    EnterKeyFilter pageKeys(page);
    int pageSearches = 0;
    int outerSearches = 0;
    pageKeys.onEnter(pageSearch, [&] { ++pageSearches; });
    outerKeys.onEnter(outerSearch, [&] { ++outerSearches; });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    pageSearch->setFocus();
    QTest::keyClick(pageSearch, Qt::Key_Return);
    outerSearch->setFocus();
    QTest::keyClick(outerSearch, Qt::Key_Return);
    QCOMPARE(pageSearches, 1);
    QCOMPARE(outerSearches, 1);
}

void TestWindowKeys::enterInAWindowOpenedOverItIsLeftAlone()
{
    QDialog window;
    new QLineEdit(&window);
    EnterKeyFilter keys(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* message = new QDialog(&window);
    auto* ok = new QPushButton("确定", message);
    ok->setDefault(true);
    QSignalSpy clicked(ok, &QPushButton::clicked);
    message->show();
    QVERIFY(QTest::qWaitForWindowActive(message));
    QTest::keyClick(ok, Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
}

QTEST_MAIN(TestWindowKeys)
#include "test_window_keys.moc"
