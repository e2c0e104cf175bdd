#include "controls/ReportListCtrl.h"
#include "controls/WindowTips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtTest>

namespace {
int wakeUpDelay(const QWidget* widget)
{
    return widget->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, widget);
}

// The tip on show, as the screen has it.
QImage shownTip()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->windowType() == Qt::ToolTip && widget->isVisible())
            return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return {};
}

int pixelsOf(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

struct TipWindow {
    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    CReportListCtrl* list = new CReportListCtrl(&window);
    explicit TipWindow(bool blue)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(list);
        edit->setToolTip(QStringLiteral("Enter a book number 可输入图书编号"));
        list->setToolTip(QStringLiteral("Double-click to lend 双击借阅"));
        if (blue)
            WindowTips::apply(&window);
        window.show();
    }
};
}

class TestWindowTips : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        QToolTip::hideText();
        QTest::qWait(10);
    }

    // Every control of the window, the list's viewport under the mouse included and a control
    // added later, wakes its tip after 150 ms; another window keeps the style's own delay.
    void tipsWakeUpAfter150ms()
    {
        TipWindow plain(false);
        TipWindow blue(true);
        QVERIFY(QTest::qWaitForWindowExposed(&blue.window));
        auto* later = new QLabel(QStringLiteral("later"), &blue.window);
        later->show();
        for (const QWidget* widget : {static_cast<QWidget*>(&blue.window), static_cast<QWidget*>(blue.edit),
                                      blue.list->viewport(), static_cast<QWidget*>(later)})
            QCOMPARE(wakeUpDelay(widget), 150);
        QVERIFY(wakeUpDelay(plain.edit) != 150);
        QVERIFY(wakeUpDelay(plain.list->viewport()) != 150);

        // A message box opened over the window keeps its own style: a change of style lays
        // the box out anew and loses the room made for its caption.
        QMessageBox box(QMessageBox::Information, QStringLiteral("图书管理系统"), QStringLiteral("x"), QMessageBox::Ok,
                        &blue.window);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(wakeUpDelay(&box) != 150);
    }

    // The tip of a control in the window is written in blue (0, 0, 255); that of another
    // window is not.
    void tipsAreBlue_data()
    {
        QTest::addColumn<bool>("blue");
        QTest::addColumn<bool>("onList");
        QTest::newRow("edit") << true << false;
        QTest::newRow("list") << true << true;
        QTest::newRow("another window") << false << false;
    }

    void tipsAreBlue()
    {
        QFETCH(bool, blue);
        QFETCH(bool, onList);
        TipWindow shown(blue);
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        QWidget* target = onList ? shown.list->viewport() : static_cast<QWidget*>(shown.edit);
        const QPoint where = target->rect().center();
        QTest::mouseMove(target, where);
        QHelpEvent hover(QEvent::ToolTip, where, target->mapToGlobal(where));
        QApplication::sendEvent(target, &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), (onList ? shown.list : static_cast<QWidget*>(shown.edit))->toolTip());
        const QImage tip = shownTip();
        QVERIFY(!tip.isNull());
        const int bluePixels = pixelsOf(tip, WindowTips::textColour().rgb());
        QVERIFY2(blue ? bluePixels >= 20 : bluePixels == 0, qPrintable(QString::number(bluePixels)));
    }
};

QTEST_MAIN(TestWindowTips)
#include "test_window_tips.moc"
