#include "controls/Resources.h"
#include "controls/SkinButton.h"

#include <QtTest>

namespace {
QIcon filled(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QColor colourOf(const CSkinButton& button) { return button.icon().pixmap(16).toImage().pixelColor(8, 8); }

void enter(CSkinButton& button)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&button, &event);
}

void leave(CSkinButton& button)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&button, &event);
}
}

class TestSkinButton : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initResources(); }

    // Every channel moves by the shade, limited to 0..255; bad arguments change nothing.
    void offsetsColoursWithinLimits()
    {
        CSkinButton button;
        QCOMPARE(button.SetColor(CSkinButton::BackOut, QColor(236, 233, 216)), 0);
        QCOMPARE(button.OffsetColor(CSkinButton::BackOut, 30), 0);
        QCOMPARE(button.OffsetColor(CSkinButton::BackOut, 256), 5);
        QCOMPARE(button.OffsetColor(6, 30), 3);
        QColor got;
        QCOMPARE(button.GetColor(CSkinButton::BackOut, &got), 0);
        QCOMPARE(got, QColor(255, 252, 235));
        QCOMPARE(CSkinButton::ShadeColor(QColor(10, 200, 200), -30), QColor(0, 190, 190));
        QCOMPARE(CSkinButton::ShadeColor(QColor(100, 100, 100), 30), QColor(130, 130, 130));
    }

    // However the icon was given — the plain QPushButton way, as a form sets it, or through
    // the class — it is still there after the mouse passed over the button, and the button
    // looks as it did before.
    void iconsAndLookSurviveHover_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QColor>("out");
        QTest::addColumn<QColor>("in");
        QTest::newRow("form property") << "plain" << QColor(Qt::red) << QColor(Qt::red);
        QTest::newRow("in icon") << "in" << QColor(Qt::red) << QColor(Qt::red);
        QTest::newRow("in and out icons") << "in and out" << QColor(Qt::blue) << QColor(Qt::red);
        QTest::newRow("form, then the class") << "plain, then in and out" << QColor(Qt::blue) << QColor(Qt::red);
        QTest::newRow("the class, then plain") << "in and out, then plain" << QColor(Qt::green) << QColor(Qt::green);
    }

    void iconsAndLookSurviveHover()
    {
        QFETCH(QString, how);
        QFETCH(QColor, out);
        QFETCH(QColor, in);
        QWidget window;
        auto* button = new CSkinButton(&window);
        button->setText(QStringLiteral("登　录"));
        if (how.startsWith("plain"))
            button->setIcon(filled(Qt::red));
        if (how.contains("in and out"))
            QCOMPARE(button->SetIconHandles(filled(Qt::red), filled(Qt::blue)), 0);
        else if (how == "in")
            QCOMPARE(button->SetIconHandles(filled(Qt::red)), 0);
        if (how.endsWith("then plain"))
            button->setIcon(filled(Qt::green));
        const bool normalFlat = button->isFlat();
        QVERIFY(!normalFlat);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int pass = 0; pass < 2; ++pass) {
            enter(*button);
            QVERIFY(!button->icon().isNull());
            QCOMPARE(colourOf(*button), in);
            QVERIFY(!button->isFlat());
            leave(*button);
            QVERIFY(!button->icon().isNull());
            QCOMPARE(colourOf(*button), out);
            QCOMPARE(button->isFlat(), normalFlat);
        }
    }

    // Every button of a window has the same look until the mouse comes, whether or not the
    // window gave it an icon through the class.
    void buttonsOfAWindowLookAlike()
    {
        QWidget window;
        auto* plain = new CSkinButton(&window);
        auto* withIcon = new CSkinButton(&window);
        withIcon->SetIconHandles(filled(Qt::red));
        auto* hovered = new CSkinButton(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        enter(*hovered);
        leave(*hovered);
        QVERIFY(!plain->isFlat());
        QCOMPARE(withIcon->isFlat(), plain->isFlat());
        QCOMPARE(hovered->isFlat(), plain->isFlat());
        QCOMPARE(hovered->palette().color(QPalette::Button), plain->palette().color(QPalette::Button));
    }

    // At rest, a button without an icon still shows a frame around its caption, so that it
    // reads as a button and not as a label.
    void framedAtRest_data()
    {
        QTest::addColumn<bool>("withIcon");
        QTest::newRow("caption only") << false;
        QTest::newRow("with an icon") << true;
    }

    void framedAtRest()
    {
        QFETCH(bool, withIcon);
        QWidget window;
        window.resize(200, 80);
        auto* button = new CSkinButton(&window);
        button->setText(QStringLiteral("下一页"));
        if (withIcon)
            button->SetIconHandles(filled(Qt::red));
        button->setAutoDefault(false);
        button->setGeometry(20, 20, 120, 32);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shown = window.grab().toImage();
        const QColor background = shown.pixelColor(5, 5);
        const QRect rect = button->geometry();
        // Each side: one of its three outermost lines differs from the window behind it.
        const auto sideDrawn = [&](QPoint from, QPoint step, QPoint inward, int length) {
            for (int depth = 0; depth < 3; ++depth) {
                int differing = 0;
                for (int i = 0; i < length; ++i)
                    differing += shown.pixelColor(from + depth * inward + i * step) != background;
                if (differing * 5 >= length * 4)
                    return true;
            }
            return false;
        };
        const int width = rect.width() - 8, height = rect.height() - 8;
        QVERIFY(sideDrawn(rect.topLeft() + QPoint(4, 0), {1, 0}, {0, 1}, width));
        QVERIFY(sideDrawn(rect.bottomLeft() + QPoint(4, 0), {1, 0}, {0, -1}, width));
        QVERIFY(sideDrawn(rect.topLeft() + QPoint(0, 4), {0, 1}, {1, 0}, height));
        QVERIFY(sideDrawn(rect.topRight() + QPoint(0, 4), {0, 1}, {-1, 0}, height));
    }

    void badIconLeavesNoImage()
    {
        CSkinButton button;
        QCOMPARE(button.SetIcon(":/icons/app.png"), 0);
        QVERIFY(!button.icon().isNull());
        QCOMPARE(button.SetIcon(":/icons/app.png", ":/icons/none.png"), 1);
        QVERIFY(button.icon().isNull());
    }
};

QTEST_MAIN(TestSkinButton)
#include "test_skin_button.moc"
