#include "controls/Resources.h"
#include "controls/SkinButton.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QTemporaryDir>
#include <QWindow>
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

QImage shot(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Where the pixels of one colour stand in a picture.
QRect areaOf(const QImage& image, QColor colour)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                area |= QRect(x, y, 1, 1);
    return area;
}

// A 120 x 40 button of a shown window, without icon or caption unless the test gives them.
struct ShownButton {
    QWidget window;
    CSkinButton* button = new CSkinButton(&window);
    ShownButton()
    {
        window.resize(200, 80);
        button->setAutoDefault(false);
        button->setGeometry(20, 20, 120, 40);
        window.show();
    }
};
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

    // A flat button at rest shows no border at all, also as the default button or with the
    // focus (no focus frame unless asked for); a button that is not flat has the classic
    // raised border, and a black frame around it when it is the default button.
    void bordersAtRest_data()
    {
        QTest::addColumn<bool>("flat");
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<QString>("edge");
        QTest::newRow("flat") << true << false << false << "none";
        QTest::newRow("flat default button") << true << true << false << "none";
        QTest::newRow("flat with the focus") << true << false << true << "none";
        QTest::newRow("classic") << false << false << false << "raised";
        QTest::newRow("classic default button") << false << true << false << "black";
    }

    void bordersAtRest()
    {
        QFETCH(bool, flat);
        QFETCH(bool, isDefault);
        QFETCH(bool, focused);
        QFETCH(QString, edge);
        ShownButton shown;
        CSkinButton& button = *shown.button;
        button.setText(QStringLiteral("下一页"));
        button.SetIconHandles(filled(Qt::red));
        button.SetFlatLook(flat);
        button.setDefault(isDefault);
        if (!focused)
            button.setFocusPolicy(Qt::NoFocus);
        QVERIFY(QTest::qWaitForWindowActive(&shown.window));
        if (focused)
            button.setFocus();
        QCOMPARE(button.hasFocus(), focused);
        QTest::mouseMove(&shown.window, QPoint(5, 5));
        leave(button);
        const QImage picture = shot(button);
        const QColor face = button.palette().color(QPalette::Button).rgb();
        const QPalette& colours = button.palette();
        const QPoint top(60, 0), left(0, 20), bottom(60, 39), right(119, 20);
        if (edge == "none") {
            for (int depth = 0; depth < 3; ++depth) {
                const QPoint in[] = {top + QPoint(0, depth), left + QPoint(depth, 0), bottom - QPoint(0, depth),
                                     right - QPoint(depth, 0)};
                for (QPoint point : in)
                    QCOMPARE(picture.pixelColor(point), face);
            }
        } else if (edge == "black") {
            for (QPoint point : {top, left, bottom, right})
                QCOMPARE(picture.pixelColor(point), QColor(Qt::black));
        } else {
            QCOMPARE(picture.pixelColor(top), colours.color(QPalette::Light).rgb());
            QCOMPARE(picture.pixelColor(left), colours.color(QPalette::Light).rgb());
            QCOMPARE(picture.pixelColor(bottom), colours.color(QPalette::Shadow).rgb());
            QCOMPARE(picture.pixelColor(right), colours.color(QPalette::Shadow).rgb());
            QCOMPARE(picture.pixelColor(bottom - QPoint(0, 1)), colours.color(QPalette::Dark).rgb());
        }
    }

    // A disabled caption is engraved: a light copy one pixel down and right under the dark one.
    void disabledCaptionIsEngraved()
    {
        ShownButton shown;
        CSkinButton& button = *shown.button;
        button.setText(QStringLiteral("删除"));
        QFont large = button.font();
        large.setPixelSize(30);
        button.setFont(large);
        button.setEnabled(false);
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        const QImage picture = shot(button);
        const QRect dark = areaOf(picture, button.palette().color(QPalette::Dark).rgb());
        const QRect light = areaOf(picture, button.palette().color(QPalette::Light).rgb());
        QVERIFY(!dark.isEmpty());
        QCOMPARE(light.topLeft(), dark.topLeft() + QPoint(1, 1));
    }

    // The image stands left of, above or right of the caption, 3 pixels from the edge, or in
    // the middle without a caption; a pressed button moves it by one pixel each way.
    void placesTheImage_data()
    {
        QTest::addColumn<int>("align");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QPoint>("image");
        QTest::addColumn<QString>("captionSide");
        QTest::newRow("left") << 0 << "查询" << false << QPoint(3, 12) << "right";
        QTest::newRow("left, pressed") << 0 << "查询" << true << QPoint(4, 13) << "right";
        QTest::newRow("left, no caption") << 0 << "" << false << QPoint(52, 12) << "";
        QTest::newRow("above") << 1 << "查询" << false << QPoint(52, 3) << "below";
        QTest::newRow("above, no caption") << 1 << "" << false << QPoint(52, 12) << "";
        QTest::newRow("right") << 2 << "查询" << false << QPoint(101, 12) << "left";
        QTest::newRow("right, no caption") << 2 << "" << false << QPoint(52, 0) << "";
        QTest::newRow("refused alignment keeps the last") << 3 << "查询" << false << QPoint(101, 12) << "left";
    }

    void placesTheImage()
    {
        QFETCH(int, align);
        QFETCH(QString, caption);
        QFETCH(bool, pressed);
        QFETCH(QPoint, image);
        QFETCH(QString, captionSide);
        ShownButton shown;
        CSkinButton& button = *shown.button;
        button.resize(120, 40);
        button.setText(caption);
        QCOMPARE(button.SetIconHandles(filled(Qt::red)), 0);
        QCOMPARE(button.SetAlign(2), 0);
        QCOMPARE(button.SetAlign(align), align > 2 ? 4 : 0);
        button.setDown(pressed);
        const QImage picture = shot(button);
        const QRect icon = areaOf(picture, Qt::red);
        QCOMPARE(icon, QRect(image, QSize(16, 16)));
        // The caption's dark strokes stand on the named side of the image.
        QRect text;
        for (int y = 3; y < 37; ++y)
            for (int x = 3; x < 117; ++x)
                if (!icon.contains(x, y) && qGray(picture.pixel(x, y)) < 100)
                    text |= QRect(x, y, 1, 1);
        if (captionSide.isEmpty())
            QVERIFY(text.isEmpty());
        else if (captionSide == "right")
            QVERIFY(text.left() >= icon.right());
        else if (captionSide == "left")
            QVERIFY(text.right() < icon.left() && !text.isEmpty());
        else
            QVERIFY(text.top() >= icon.bottom() && !text.isEmpty());
        // A layout gives an image above its caption the height of both.
        if (captionSide == "below")
            QVERIFY(button.sizeHint().height() >= 3 + 16 + button.fontMetrics().height() + 3);
    }

    // A new alignment lays a shown button out again at once: in a layout, an image put above
    // the caption makes the button as high as both. A negative alignment, as any above 2,
    // is refused with 4 and changes nothing.
    void alignmentRelaysOutTheShownButton()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* button = new CSkinButton;
        button->setText(QStringLiteral("查询"));
        button->SetIconHandles(filled(Qt::red));
        button->setIconSize(QSize(16, 16));
        layout->addWidget(button);
        layout->addStretch();
        window.resize(200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(20);
        const int needed = 3 + 16 + button->fontMetrics().height() + 3;
        QVERIFY(button->height() < needed);
        QCOMPARE(button->SetAlign(CSkinButton::ImageAbove), 0);
        QTRY_VERIFY(button->height() >= needed);
        QCOMPARE(areaOf(shot(*button), Qt::red).top(), 3);
        for (int refused : {-1, -128, 3, 255})
            QCOMPARE(button->SetAlign(refused), 4);
        QCOMPARE(areaOf(shot(*button), Qt::red).top(), 3);
        QCOMPARE(button->height(), layout->itemAt(0)->geometry().height());
    }

    // A flat button is raised while the mouse is over it and sunken while pressed, unless its
    // hover border is off; at rest it has no border either way.
    void hoverBorder_data()
    {
        QTest::addColumn<bool>("border");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("look");
        QTest::newRow("hovered") << true << "hovered" << "raised";
        QTest::newRow("pressed") << true << "pressed" << "sunken";
        QTest::newRow("at rest") << true << "rest" << "rest";
        QTest::newRow("hovered, no border") << false << "hovered" << "rest";
        QTest::newRow("pressed, no border") << false << "pressed" << "rest";
    }

    void hoverBorder()
    {
        QFETCH(bool, border);
        QFETCH(QString, state);
        QFETCH(QString, look);
        ShownButton shown;
        CSkinButton& button = *shown.button;
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        const QImage rest = shot(button);
        QCOMPARE(button.SetHoverBorder(border), 0);
        if (state == "hovered")
            enter(button);
        button.setDown(state == "pressed");
        const QImage picture = shot(button);
        const QColor light = button.palette().color(QPalette::Light).rgb();
        const QColor dark = button.palette().color(QPalette::Dark).rgb();
        const QPoint top(60, 0), left(0, 20), bottom(60, 39), right(119, 20);
        if (look == "rest") {
            for (QPoint edge : {top, left, bottom, right})
                QCOMPARE(picture.pixelColor(edge), rest.pixelColor(edge));
            return;
        }
        const QColor topLeft = look == "raised" ? light : dark;
        const QColor bottomRight = look == "raised" ? dark : light;
        QCOMPARE(picture.pixelColor(top), topLeft);
        QCOMPARE(picture.pixelColor(left), topLeft);
        QCOMPARE(picture.pixelColor(bottom), bottomRight);
        QCOMPARE(picture.pixelColor(right), bottomRight);
        QVERIFY(rest.pixelColor(top) != topLeft);
    }

    // The dotted focus rectangle, 3 pixels inside: always on a button that is not flat, on a
    // flat one only when asked for, never without the focus.
    void focusRectangle_data()
    {
        QTest::addColumn<bool>("flat");
        QTest::addColumn<bool>("flatFocusRect");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("flat") << true << false << true << false;
        QTest::newRow("flat, asked for") << true << true << true << true;
        QTest::newRow("not flat") << false << false << true << true;
        QTest::newRow("flat, asked for, no focus") << true << true << false << false;
    }

    void focusRectangle()
    {
        QFETCH(bool, flat);
        QFETCH(bool, flatFocusRect);
        QFETCH(bool, focused);
        QFETCH(bool, drawn);
        ShownButton shown;
        CSkinButton& button = *shown.button;
        auto* other = new QLineEdit(&shown.window);
        other->setGeometry(20, 65, 60, 10);
        other->show();
        QVERIFY(QTest::qWaitForWindowActive(&shown.window));
        QCOMPARE(button.SetFlatLook(flat), 0);
        QCOMPARE(button.SetFlatFocusRect(flatFocusRect), 0);
        (focused ? static_cast<QWidget*>(&button) : other)->setFocus();
        QCOMPARE(button.hasFocus(), focused);
        const QImage picture = shot(button);
        const QColor pen = button.palette().color(QPalette::ButtonText);
        // Each side of the rectangle, 3 pixels in: dotted, so a pixel in every few.
        const auto dotted = [&](QPoint from, QPoint step, int length) {
            int count = 0;
            for (int i = 0; i < length; ++i)
                count += picture.pixel(from + i * step) == pen.rgb();
            return drawn ? count >= length / 4 : count == 0;
        };
        QVERIFY(dotted({3, 3}, {1, 0}, 114));
        QVERIFY(dotted({3, 36}, {1, 0}, 114));
        QVERIFY(dotted({3, 3}, {0, 1}, 34));
        QVERIFY(dotted({116, 3}, {0, 1}, 34));
    }

    // The out icon -2: a grey copy of the in icon, g = 0.299 R + 0.587 G + 0.114 B cut to a
    // whole number; black and transparent pixels stay. The mouse over it shows the in icon.
    void greyCopyOfTheIcon()
    {
        QTemporaryDir folder;
        QImage picture(16, 16, QImage::Format_ARGB32);
        picture.fill(QColor(0, 255, 0));
        for (int y = 0; y < 16; ++y)
            for (int x = 8; x < 16; ++x)
                picture.setPixelColor(x, y, y < 8 ? QColor(Qt::black) : QColor(200, 100, 50));
        picture.setPixelColor(0, 15, QColor(Qt::white));
        picture.setPixelColor(1, 15, Qt::transparent);
        const QString path = folder.filePath("in.png");
        QVERIFY(picture.save(path));
        ShownButton shown;
        CSkinButton& button = *shown.button;
        QCOMPARE(button.SetIcon(path, CSkinButton::GreyCopy), 0);
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        const QImage out = button.icon().pixmap(16).toImage();
        QCOMPARE(out.pixelColor(2, 2), QColor(149, 149, 149));
        QCOMPARE(out.pixelColor(10, 2), QColor(Qt::black));
        QCOMPARE(out.pixelColor(10, 12), QColor(124, 124, 124));
        QCOMPARE(out.pixelColor(0, 15), QColor(Qt::white));
        QCOMPARE(out.pixelColor(1, 15).alpha(), 0);
        // Drawn on the button: the middle, as the button has no caption.
        QCOMPARE(shot(button).pixelColor(52 + 2, 12 + 2), QColor(149, 149, 149));
        enter(button);
        QCOMPARE(shot(button).pixelColor(52 + 2, 12 + 2), QColor(0, 255, 0));
        QCOMPARE(shot(button).pixelColor(52 + 10, 12 + 12), QColor(200, 100, 50));
        QCOMPARE(button.SetIcon(folder.filePath("none.png"), CSkinButton::GreyCopy), 1);
        QVERIFY(button.icon().isNull());
    }

    // The hover cursor shows while the mouse is over the button; a picture that cannot be
    // read gives 1 and leaves the usual cursor, as does an empty name.
    void cursorOverTheButton()
    {
        ShownButton shown;
        CSkinButton& button = *shown.button;
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        QWindow* window = shown.window.windowHandle();
        QCOMPARE(button.SetBtnCursor(QStringLiteral(":/icons/app.png")), 0);
        QTest::mouseMove(&button, QPoint(60, 20));
        QTRY_COMPARE(window->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(window->cursor().pixmap().size(), QPixmap(QStringLiteral(":/icons/app.png")).size());
        QTest::mouseMove(&shown.window, QPoint(5, 5));
        QTRY_COMPARE(window->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(button.SetBtnCursor(QStringLiteral(":/icons/none.png")), 1);
        QVERIFY(!button.testAttribute(Qt::WA_SetCursor));
        QCOMPARE(button.SetBtnCursor(QStringLiteral(":/icons/app.png")), 0);
        QCOMPARE(button.SetBtnCursor(QString()), 0);
        QVERIFY(!button.testAttribute(Qt::WA_SetCursor));
        QTest::mouseMove(&button, QPoint(60, 20));
        QTRY_COMPARE(window->cursor().shape(), Qt::ArrowCursor);
    }

    // With the parent's background the window shows through the button, also after it
    // changed; the border of a hovered button is drawn over it.
    void parentBackgroundShowsThrough()
    {
        ShownButton shown;
        shown.window.setAutoFillBackground(true);
        const auto paintParent = [&](QColor colour) {
            QPalette palette = shown.window.palette();
            palette.setColor(QPalette::Window, colour);
            shown.window.setPalette(palette);
        };
        paintParent(QColor(255, 0, 255));
        CSkinButton& button = *shown.button;
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        QVERIFY(shot(shown.window).pixelColor(80, 40) != QColor(255, 0, 255));
        button.UseParentBackground();
        QCOMPARE(shot(shown.window).pixelColor(80, 40), QColor(255, 0, 255));
        paintParent(QColor(0, 128, 0));
        enter(button);
        const QImage picture = shot(shown.window);
        QCOMPARE(picture.pixelColor(80, 40), QColor(0, 128, 0));
        QCOMPARE(picture.pixelColor(30, 30), QColor(0, 128, 0));
        QCOMPARE(picture.pixelColor(80, 20), button.palette().color(QPalette::Light).rgb());
    }

    // A bitmap is drawn at its own size, its transparent colour left out so the button's
    // background shows there; the mouse over it shows the in bitmap.
    void bitmapsWithATransparentColour()
    {
        QImage in(24, 20, QImage::Format_RGB32);
        in.fill(Qt::magenta);
        in.setPixelColor(5, 5, Qt::red);
        QImage out = in;
        out.setPixelColor(5, 5, Qt::blue);
        ShownButton shown;
        CSkinButton& button = *shown.button;
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        QCOMPARE(button.SetBitmapHandles(in, Qt::magenta, out, Qt::magenta), 0);
        QCOMPARE(button.iconSize(), QSize(24, 20));
        // Without a caption the bitmap stands in the middle: (48, 10) in the 120 x 40 button.
        QTest::mouseMove(&shown.window, QPoint(5, 5));
        leave(button);
        const QImage rest = shot(button);
        QCOMPARE(rest.pixelColor(48 + 5, 10 + 5), QColor(Qt::blue));
        QCOMPARE(rest.pixelColor(48, 10), button.palette().color(QPalette::Button).rgb());
        enter(button);
        QCOMPARE(shot(button).pixelColor(48 + 5, 10 + 5), QColor(Qt::red));
        QCOMPARE(button.SetBitmapHandles(QImage(), Qt::magenta), 1);
        QVERIFY(button.icon().isNull());
    }

    // An icon shows at the system's icon size, 32 pixels; one that cannot be read leaves none.
    void badIconLeavesNoImage()
    {
        CSkinButton button;
        QCOMPARE(button.SetIcon(":/icons/app.png"), 0);
        QCOMPARE(button.icon().actualSize(button.iconSize()), QSize(32, 32));
        QCOMPARE(button.SetIcon(":/icons/app.png", ":/icons/none.png"), 1);
        QVERIFY(button.icon().isNull());
    }

    // A double click is two clicks, and each takes the focus to the button; a button disabled
    // while it has the focus hands it to the next control.
    void doubleClickIsTwoClicks()
    {
        ShownButton shown;
        auto* next = new QLineEdit(&shown.window);
        next->setGeometry(20, 60, 100, 20);
        next->show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        QSignalSpy clicked(shown.button, &QAbstractButton::clicked);
        QTest::mouseDClick(shown.window.windowHandle(), Qt::LeftButton, {}, shown.button->geometry().center());
        QCOMPARE(clicked.count(), 2);
        QVERIFY(shown.button->hasFocus());
        shown.button->setEnabled(false);
        QVERIFY(next->hasFocus());
    }
};

QTEST_MAIN(TestSkinButton)
#include "test_skin_button.moc"
