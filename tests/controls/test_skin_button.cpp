#include "controls/Resources.h"
#include "controls/SkinButton.h"

#include <QtTest>

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

    void hoverShowsTheInIcon()
    {
        auto filled = [](Qt::GlobalColor colour) {
            QPixmap pixmap(16, 16);
            pixmap.fill(colour);
            return QIcon(pixmap);
        };
        auto colourOf = [](const CSkinButton& b) { return b.icon().pixmap(16).toImage().pixelColor(8, 8); };
        CSkinButton button;
        QCOMPARE(button.SetIconHandles(filled(Qt::red), filled(Qt::blue)), 0);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
        QCOMPARE(colourOf(button), QColor(Qt::blue));
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(&button, &enter);
        QCOMPARE(colourOf(button), QColor(Qt::red));
        QVERIFY(!button.isFlat());
        QApplication::sendEvent(&button, &leave);
        QCOMPARE(colourOf(button), QColor(Qt::blue));
        QVERIFY(button.isFlat());
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
