#include "controls/KestrelMenu.h"
#include "controls/SkinButton.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

namespace {
constexpr unsigned kPopup = 0x10;
constexpr unsigned kEnd = 0x80;

// A menu template as a menu resource holds it: header, then each item's flags, its command
// (unless it opens a pop-up) and its text in zero-ended UTF-16.
class Template {
public:
    Template() { word(0), word(0); }
    Template& item(unsigned flags, int command, const QString& text)
    {
        word(flags);
        if (!(flags & kPopup))
            word(command);
        for (QChar c : text)
            word(c.unicode());
        return word(0);
    }
    QByteArray bytes() const { return m_bytes; }

private:
    Template& word(unsigned value)
    {
        const quint16 le = qToLittleEndian<quint16>(quint16(value));
        m_bytes.append(reinterpret_cast<const char*>(&le), 2);
        return *this;
    }
    QByteArray m_bytes;
};

// 文件(&F): 打开(&O) 101, a separator, 最近 ▸ 甲.txt 201; 退出(&X) 102. 帮助: 关于 301.
QByteArray fileMenu()
{
    return Template()
        .item(kPopup, 0, QStringLiteral("文件(&F)"))
        .item(0, 101, QStringLiteral("打开(&O)\tCtrl+O"))
        .item(0, 0, QString())
        .item(kPopup, 0, QStringLiteral("最近"))
        .item(kEnd, 201, QStringLiteral("甲.txt"))
        .item(kEnd, 102, QStringLiteral("退出(&X)"))
        .item(kPopup | kEnd, 0, QStringLiteral("帮助"))
        .item(kEnd, 301, QStringLiteral("关于"))
        .bytes();
}

// A toolbar of two 16 x 15 images for the commands 101 and 102, on the grey background.
MenuToolBar toolbar()
{
    QByteArray data;
    for (quint16 w : {1, 16, 15, 3, 101, 0, 102}) {
        const quint16 le = qToLittleEndian(w);
        data.append(reinterpret_cast<const char*>(&le), 2);
    }
    QImage bitmap(32, 15, QImage::Format_RGB32);
    bitmap.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter painter(&bitmap);
    painter.fillRect(2, 2, 10, 10, Qt::red);
    painter.fillRect(18, 2, 10, 10, Qt::blue);
    return {data, bitmap};
}

QStringList texts(const QMenu* menu)
{
    QStringList list;
    for (const QAction* action : menu->actions())
        list << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return list;
}

QStyleOptionMenuItem option(const KestrelMenu& menu, const QString& text, bool separator = false)
{
    QStyleOptionMenuItem item;
    item.initFrom(&menu);
    item.menuItemType = separator ? QStyleOptionMenuItem::Separator : QStyleOptionMenuItem::Normal;
    item.text = text;
    return item;
}
}

class TestKestrelMenu : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { KestrelMenu::SetMenuDrawMode(false); }

    // Items are appended, inserted and changed by position or by command (searched through
    // the pop-ups), removed or deleted, and their pop-ups found by position or by text; every
    // menu made stands in the registry until it is destroyed.
    void contentOperations()
    {
        KestrelMenu menu;
        QVERIFY(!KestrelMenu::IsMenu(&menu));
        QVERIFY(menu.AppendMenu(QStringLiteral("甲"), 0, 11));
        QVERIFY(menu.AppendMenu(QString(), 0, 0));
        KestrelMenu* popup = menu.AppendPopup(QStringLiteral("乙"));
        QVERIFY(popup->AppendMenu(QStringLiteral("丙"), KestrelMenu::Grayed | KestrelMenu::Checked, 21));
        QVERIFY(KestrelMenu::IsMenu(&menu) && KestrelMenu::IsMenu(popup));
        QVERIFY(menu.InsertMenu(0, KestrelMenu::ByPosition, 10, QStringLiteral("首")));
        QVERIFY(menu.InsertMenu(21, KestrelMenu::ByCommand, 20, QStringLiteral("丙前")));
        QVERIFY(!menu.InsertMenu(99, KestrelMenu::ByCommand, 98, QStringLiteral("无")));
        QCOMPARE(texts(&menu), (QStringList{"首", "甲", "-", "乙"}));
        QCOMPARE(texts(popup), (QStringList{"丙前", "丙"}));
        QVERIFY(menu.GetRecord(2)->flags & KestrelMenu::Separator);
        QVERIFY(!popup->actions().at(1)->isEnabled() && popup->actions().at(1)->isChecked());

        QVERIFY(menu.ModifyMenu(21, QStringLiteral("丁"), QColor(Qt::green)));
        QCOMPARE(popup->GetMenuText(1), QStringLiteral("丁"));
        QCOMPARE(popup->actions().at(1)->icon().pixmap(16, 15).toImage().pixelColor(8, 7), QColor(Qt::green));
        QImage mark(4, 4, QImage::Format_ARGB32);
        mark.fill(Qt::red);
        QVERIFY(menu.ModifyMenu(11, QStringLiteral("甲"), mark));
        const QImage drawn = menu.actions().at(1)->icon().pixmap(16, 15).toImage();
        QCOMPARE(drawn.pixelColor(1, 1), QColor(Qt::red));
        QCOMPARE(drawn.pixelColor(10, 10), QColor(0xC0, 0xC0, 0xC0));
        QVERIFY(menu.ModifyMenu(QStringLiteral("丙前"), QStringLiteral("戊")));
        QVERIFY(!menu.ModifyMenu(QStringLiteral("无此项"), QStringLiteral("己")));
        QCOMPARE(menu.GetSubMenu(3), popup);
        QCOMPARE(menu.GetSubMenu(QStringLiteral("乙")), popup);
        QCOMPARE(menu.GetSubMenu(0), nullptr);

        QVERIFY(!menu.DeleteMenu(99, KestrelMenu::ByCommand));
        QVERIFY(menu.DeleteMenu(20, KestrelMenu::ByCommand));
        QVERIFY(menu.DeleteMenu(0, KestrelMenu::ByPosition));
        QVERIFY(menu.RemoveMenu(2, KestrelMenu::ByPosition));
        QCOMPARE(texts(&menu), (QStringList{"甲", "-"}));
        QCOMPARE(menu.GetRecordCount(), 2);
        // A removed pop-up lives on for the caller; a deleted one is gone from the registry.
        QVERIFY(KestrelMenu::IsMenu(popup));
        QCOMPARE(texts(popup), QStringList{"丁"});
        KestrelMenu* second = menu.AppendPopup(QStringLiteral("庚"));
        QVERIFY(menu.DeleteMenu(2, KestrelMenu::ByPosition));
        QVERIFY(!KestrelMenu::IsMenu(second));
        delete popup;
        menu.DestroyMenu();
        QVERIFY(!KestrelMenu::IsMenu(&menu));
        QCOMPARE(menu.GetMenuItemCount(), 0);
    }

    // Records of items that the menu no longer has are dropped; items without a record get one.
    void recordsFollowTheItems()
    {
        KestrelMenu menu;
        menu.AppendMenu(QStringLiteral("甲"), 0, 1);
        menu.AppendMenu(QStringLiteral("乙"), 0, 2);
        QAction* gone = menu.actions().at(0);
        menu.removeAction(gone);
        delete gone;
        menu.UnmarkRecords();
        menu.MarkRecordsInUse();
        QCOMPARE(menu.DeleteUnmarkedRecords(), 1);
        QCOMPARE(menu.GetRecord(0)->text, QStringLiteral("乙"));
        menu.addAction(QStringLiteral("丙"))->setData(3);
        QVERIFY(menu.SynchronizeRecords());
        QCOMPARE(menu.GetRecordCount(), 2);
        QCOMPARE(menu.GetRecord(1)->commandId, 3);
        QVERIFY(!menu.SynchronizeRecords());
    }

    // A template builds the levels as their end marks close them; the top level's items are
    // plain, those below drawn by the menu. A cut template builds nothing.
    void loadsAMenuTemplate()
    {
        KestrelMenu menu;
        QVERIFY(menu.LoadMenu(fileMenu()));
        QCOMPARE(texts(&menu), (QStringList{"文件(&F)", "帮助"}));
        KestrelMenu* file = menu.GetSubMenu(0);
        QCOMPARE(texts(file), (QStringList{"打开(&O)\tCtrl+O", "-", "最近", "退出(&X)"}));
        QCOMPARE(texts(file->GetSubMenu(2)), QStringList{"甲.txt"});
        QCOMPARE(texts(menu.GetSubMenu(1)), QStringList{"关于"});
        QVERIFY(!(menu.GetRecord(0)->flags & KestrelMenu::OwnerDraw));
        QVERIFY(file->GetRecord(0)->flags & KestrelMenu::OwnerDraw);
        QCOMPARE(file->GetRecord(3)->commandId, 102);
        for (qsizetype cut : {0, 3, 9, 40})
            QVERIFY2(!menu.LoadMenuTemplate(fileMenu().left(cut)), qPrintable(QString::number(cut)));
        QCOMPARE(menu.GetMenuItemCount(), 0);
    }

    // A toolbar gives the items of its commands their images, its background made clear;
    // the image size and background reach the pop-ups.
    void toolbarGivesTheImages()
    {
        KestrelMenu menu;
        QVERIFY(menu.LoadMenu(fileMenu()));
        menu.SetBitmapBackground(QColor(0xC0, 0xC0, 0xC0));
        menu.SetIconSize(16, 15);
        const MenuToolBar bar = toolbar();
        QVERIFY(menu.LoadToolbar(bar.data, bar.bitmap));
        KestrelMenu* file = menu.GetSubMenu(0);
        QCOMPARE(file->IconSize(), QSize(16, 15));
        QVERIFY(file->IsBitmapBackgroundSet());
        const QImage open = file->actions().at(0)->icon().pixmap(16, 15).toImage();
        QCOMPARE(open.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(open.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(file->actions().at(3)->icon().pixmap(16, 15).toImage().pixelColor(5, 5), QColor(Qt::blue));
        QVERIFY(file->GetSubMenu(2)->actions().at(0)->icon().isNull());
        QVERIFY(!menu.LoadToolbar(bar.data.left(10), bar.bitmap));
        QVERIFY(!menu.LoadToolbar(bar.data, bar.bitmap.copy(0, 0, 20, 15)));
    }

    // Items are as wide as the image, a margin, the text and 8 pixels in the flat look, the
    // image twice and the text in the classic one; at least a menu line high, or the image
    // and its margin. Separators are half that high. The shown menu sizes its items so.
    void measuresItems_data()
    {
        QTest::addColumn<bool>("flat");
        QTest::newRow("classic") << false;
        QTest::newRow("flat") << true;
    }

    void measuresItems()
    {
        QFETCH(bool, flat);
        KestrelMenu::SetMenuDrawMode(flat);
        KestrelMenu menu;
        menu.SetIconSize(16, 40);
        menu.AppendMenu(QStringLiteral("打开文件"), 0, 1);
        menu.AppendMenu(QString(), 0, 0);
        menu.AppendMenu(QStringLiteral("关闭"), 0, 2);
        const QStyleOptionMenuItem item = option(menu, QStringLiteral("打开文件"));
        const int text = item.fontMetrics.horizontalAdvance(QStringLiteral("打开文件"));
        const QSize size = menu.MeasureItem(item);
        QCOMPARE(size.width(), flat ? 16 + 4 + text + 8 : 16 + text + 16 + 1);
        QCOMPARE(size.height(), 44);
        QCOMPARE(menu.MeasureItem(option(menu, {}, true)), QSize(0, 22));
        menu.SetIconSize(16, 2);
        QCOMPARE(menu.MeasureItem(item).height(), menu.fontMetrics().height() + 6);
        menu.SetIconSize(16, 40);
        menu.popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QCOMPARE(menu.actionGeometry(menu.actions().at(0)).height(), 44);
        QCOMPARE(menu.actionGeometry(menu.actions().at(1)).height(), 22);
        menu.close();
    }

    // The classic look highlights a selected item right of its image; the flat look fills
    // it with the highlight lightened by 0.85 and frames it in the highlight.
    void chosenLookPaintsTheSelection_data()
    {
        QTest::addColumn<bool>("flat");
        QTest::newRow("classic") << false;
        QTest::newRow("flat") << true;
    }

    void chosenLookPaintsTheSelection()
    {
        QFETCH(bool, flat);
        KestrelMenu::SetMenuDrawMode(flat);
        KestrelMenu menu;
        menu.AppendMenu(QStringLiteral("甲"), 0, 1, QList<QImage>{QImage(16, 15, QImage::Format_ARGB32)}, 0);
        QStyleOptionMenuItem item = option(menu, QStringLiteral("甲"));
        item.rect = QRect(0, 0, 120, 24);
        item.state |= QStyle::State_Selected | QStyle::State_Enabled;
        item.icon = menu.actions().at(0)->icon();
        QImage picture(120, 24, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        menu.DrawItem(painter, item);
        painter.end();
        const QColor highlight = item.palette.color(QPalette::Highlight);
        if (flat) {
            QCOMPARE(picture.pixelColor(0, 0), highlight);
            QCOMPARE(picture.pixelColor(60, 12), KestrelMenu::LightenColor(highlight, 0.85));
        } else {
            QCOMPARE(picture.pixelColor(16 + 5, 0), highlight);
            QCOMPARE(picture.pixelColor(16 + 3, 0), item.palette.color(QPalette::Window));
        }
    }

    void lightensAndDarkens()
    {
        const QColor colour(100, 200, 0);
        QCOMPARE(KestrelMenu::LightenColor(colour, 0.5), QColor(177, 227, 127));
        QCOMPARE(KestrelMenu::DarkenColor(colour, 0.25), QColor(75, 150, 0));
        for (double outside : {0.0, -0.5, 1.5})
            QCOMPARE(KestrelMenu::LightenColor(colour, outside), colour);
    }

    // In a pop-up, a character chooses the first item holding "&" and it, in either case.
    void characterChoosesTheFirstItem()
    {
        KestrelMenu menu;
        menu.AppendMenu(QStringLiteral("打开(&O)"), 0, 1);
        menu.AppendMenu(QStringLiteral("另存(&o)"), 0, 2);
        menu.AppendMenu(QStringLiteral("退出(&X)"), 0, 3);
        QCOMPARE(KestrelMenu::FindMenuChar(QLatin1Char('x'), KestrelMenu::Popup, &menu), 2);
        QCOMPARE(KestrelMenu::FindMenuChar(QLatin1Char('O'), KestrelMenu::Popup, &menu), 0);
        QCOMPARE(KestrelMenu::FindMenuChar(QLatin1Char('x'), 0, &menu), -1);
        QCOMPARE(KestrelMenu::FindMenuChar(QLatin1Char('q'), KestrelMenu::Popup, &menu), -1);
        QSignalSpy chosen(&menu, &QMenu::triggered);
        menu.popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTest::keyClick(&menu, Qt::Key_O);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().value<QAction*>()->data().toInt(), 1);
    }

    // A button with a menu shows its first pop-up below itself, drawn pressed meanwhile, and
    // sends the chosen command to its owner. A template that cannot be read gives 1.
    void buttonSendsTheChosenCommand()
    {
        struct Owner : QObject {
            QList<int> commands;
            bool event(QEvent* event) override
            {
                if (event->type() != CSkinButton::CommandEvent::kind())
                    return QObject::event(event);
                commands << static_cast<CSkinButton::CommandEvent*>(event)->commandId();
                return true;
            }
        } owner;
        QWidget window;
        auto* button = new CSkinButton(&window);
        button->setGeometry(10, 10, 100, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(button->SetMenu(fileMenu(), &owner, true, toolbar(), 16, 15, QColor(0xC0, 0xC0, 0xC0)), 0);
        QVERIFY(KestrelMenu::IsFlatLook());
        bool pressedMeanwhile = false;
        QPoint shownAt;
        QTimer::singleShot(50, [&] {
            QWidget* popup = QApplication::activePopupWidget();
            if (!popup)
                return;
            shownAt = popup->pos();
            pressedMeanwhile = button->IsMenuOpen();
            QTest::keyClick(popup, Qt::Key_X);
        });
        button->click();
        QCOMPARE(shownAt, button->mapToGlobal(QPoint(0, button->height())));
        QVERIFY(pressedMeanwhile);
        QVERIFY(!button->IsMenuOpen());
        QCoreApplication::processEvents();
        QCOMPARE(owner.commands, QList<int>{102});
        QCOMPARE(button->SetMenu(fileMenu().left(7), &owner, false, {}, 16, 15, Qt::white), 1);
        QVERIFY(!KestrelMenu::IsMenu(&button->Menu()));
        QCOMPARE(button->SetMenu({}, nullptr, false, {}, 16, 15, Qt::white), 0);
    }
};

QTEST_MAIN(TestKestrelMenu)
#include "test_kestrel_menu.moc"
