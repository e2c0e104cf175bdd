#include "controls/Resources.h"
#include "controls/SkinButton.h"

#include <QMenu>
#include <QtTest>

class TestSkinButton : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initResources(); }
    void offsetsColours_data();
    void offsetsColours();
    void refusesBadColourArguments();
    void setCheckOnlyForToggles();
    void hoverShowsTheInIcon();
    void badIconLeavesNoImage();
    void doubleClickIsTwoClicks();
    void menuBelongsToTheButton();
};

void TestSkinButton::offsetsColours_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("shade");
    QTest::addColumn<QColor>("result");
    QTest::newRow("lighten limited") << QColor(236, 233, 216) << 30 << QColor(255, 252, 235);
    QTest::newRow("darken limited") << QColor(10, 200, 200) << -30 << QColor(0, 190, 190);
    QTest::newRow("unlimited") << QColor(100, 100, 100) << 30 << QColor(130, 130, 130);
}

void TestSkinButton::offsetsColours()
{
    QFETCH(QColor, colour);
    QFETCH(int, shade);
    QFETCH(QColor, result);
    CSkinButton button;
    QCOMPARE(button.SetColor(CSkinButton::BackOut, colour), 0);
    QCOMPARE(button.OffsetColor(CSkinButton::BackOut, shade), 0);
    QColor got;
    QCOMPARE(button.GetColor(CSkinButton::BackOut, &got), 0);
    QCOMPARE(got, result);
}

void TestSkinButton::refusesBadColourArguments()
{
    CSkinButton button;
    button.SetColor(0, QColor(1, 2, 3));
    QCOMPARE(button.OffsetColor(0, 256), 5);
    QCOMPARE(button.OffsetColor(6, 30), 3);
    QCOMPARE(button.SetColor(6, Qt::red), 3);
    QColor got;
    QCOMPARE(button.GetColor(0, &got), 0);
    QCOMPARE(got, QColor(1, 2, 3));
}

void TestSkinButton::setCheckOnlyForToggles()
{
    CSkinButton plain;
    plain.SetCheck(1);
    QCOMPARE(plain.GetCheck(), 0);
    CSkinButton toggle;
    toggle.setCheckable(true);
    toggle.SetCheck(5);
    QCOMPARE(toggle.GetCheck(), 1);
    toggle.click();
    QCOMPARE(toggle.GetCheck(), 0);
}

void TestSkinButton::hoverShowsTheInIcon()
{
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue(16, 16, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    auto colourOf = [](const CSkinButton& b) { return b.icon().pixmap(16).toImage().pixelColor(8, 8); };
    QWidget window;
    auto* button = new CSkinButton(&window);
    button->setText("查询");
    QCOMPARE(button->SetIconHandles(QIcon(QPixmap::fromImage(red)), QIcon(QPixmap::fromImage(blue))), 0);
    button->move(40, 40);
    window.resize(200, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    QCOMPARE(colourOf(*button), QColor(Qt::blue));
    QVERIFY(button->isFlat());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(button, &enter);
    QVERIFY(button->IsMouseOver());
    QCOMPARE(colourOf(*button), QColor(Qt::red));
    QVERIFY(!button->isFlat());
    QApplication::sendEvent(button, &leave);
    QVERIFY(!button->IsMouseOver());
    QCOMPARE(colourOf(*button), QColor(Qt::blue));
}

void TestSkinButton::badIconLeavesNoImage()
{
    CSkinButton button;
    QCOMPARE(button.SetIcon(":/icons/app.png"), 0);
    QVERIFY(!button.icon().isNull());
    QCOMPARE(button.SetIcon(":/icons/app.png", ":/icons/none.png"), 1);
    QVERIFY(button.icon().isNull());
}

void TestSkinButton::doubleClickIsTwoClicks()
{
    CSkinButton button;
    button.resize(80, 24);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseDClick(&button, Qt::LeftButton);
    QTest::mouseRelease(&button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 2);
}

void TestSkinButton::menuBelongsToTheButton()
{
    CSkinButton button;
    QPointer<QMenu> first = new QMenu;
    button.SetMenu(first);
    QCOMPARE(button.menu(), first.data());
    button.SetMenu(nullptr);
    QVERIFY(first.isNull());
    QCOMPARE(button.menu(), nullptr);
}

QTEST_MAIN(TestSkinButton)
#include "test_skin_button.moc"
