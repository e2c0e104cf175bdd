#include "controls/KestrelMenu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QtEndian>
#include <qdrawutil.h>

#include <algorithm>
#include <functional>

namespace {

constexpr unsigned kMenuEnd = 0x80;
// The margin that MeasureItem adds to the image height and, in the flat look, to its width.
constexpr int kExtra = 4;

QList<const QMenu*>& registry()
{
    static QList<const QMenu*> menus;
    return menus;
}

// The images that toolbars gave, each for one command; an item's global image offset is its
// position here.
struct SharedImages {
    QList<QImage> images;
    QList<int> commands;
};

SharedImages& sharedImages()
{
    static SharedImages shared;
    return shared;
}

bool g_flatLook = false;

const KestrelMenu* ownerDrawn(const QWidget* widget)
{
    const auto* menu = qobject_cast<const KestrelMenu*>(widget);
    return menu && !menu->IsLoaded() ? menu : nullptr;
}

// Lets the menu measure and paint its owner-drawn items; every other widget and item is the
// application style's.
class KestrelMenuStyle : public QProxyStyle {
public:
    KestrelMenuStyle() : QProxyStyle(QApplication::style()->name()) {}

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        // A separator measures 0 pixels wide (the menu gives every item its whole width),
        // which Qt would take for an item that is not there.
        if (const KestrelMenu* menu = ownerDrawn(widget); menu && item && type == CT_MenuItem)
            return menu->MeasureItem(*item).expandedTo(QSize(1, 0));
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (const KestrelMenu* menu = ownerDrawn(widget); menu && item && element == CE_MenuItem) {
            menu->DrawItem(*painter, *item);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

QStyle* menuStyle()
{
    static QPointer<KestrelMenuStyle> style;
    if (!style) {
        style = new KestrelMenuStyle;
        style->setParent(qApp);
    }
    return style;
}

quint16 wordAt(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

// A zero-ended UTF-16 text from `offset`; false when it runs past the end.
bool readText(const QByteArray& bytes, qsizetype& offset, QString& text)
{
    QList<char16_t> units;
    for (;;) {
        if (offset + 2 > bytes.size())
            return false;
        const char16_t unit = wordAt(bytes, offset);
        offset += 2;
        if (unit == 0)
            break;
        units.append(unit);
    }
    text = QString::fromUtf16(units.constData(), units.size());
    return true;
}

// The arrow of an item that opens a pop-up, as the system draws it beside an owner-drawn item.
void drawSubMenuArrow(QPainter& painter, const QStyleOptionMenuItem& item, const QColor& colour)
{
    if (item.menuItemType != QStyleOptionMenuItem::SubMenu)
        return;
    QStyleOption arrow = item;
    arrow.rect = QRect(item.rect.right() - 12, item.rect.top(), 10, item.rect.height());
    arrow.palette.setColor(QPalette::ButtonText, colour);
    arrow.palette.setColor(QPalette::WindowText, colour);
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorArrowRight, &arrow, &painter);
}

void drawCheckMark(QPainter& painter, const QRect& cell, const QColor& colour)
{
    const QPoint c = cell.center();
    painter.save();
    painter.setPen(QPen(colour, 2));
    painter.drawPolyline(QList<QPoint>{c + QPoint(-3, 0), c + QPoint(-1, 2), c + QPoint(3, -2)});
    painter.restore();
}

}

KestrelMenu::KestrelMenu(QWidget* parent) : QMenu(parent)
{
    setStyle(menuStyle());
}

KestrelMenu::~KestrelMenu() { DestroyMenu(); }

void KestrelMenu::CreatePopupMenu()
{
    if (m_bCreated)
        return;
    m_bCreated = true;
    registry().append(this);
}

void KestrelMenu::DestroyMenu()
{
    registry().removeAll(this);
    for (KestrelMenu* popup : std::as_const(m_subMenus))
        registry().removeAll(popup);
    const QList<KestrelMenu*> popups = std::exchange(m_subMenus, {});
    m_items.clear();
    clear();
    qDeleteAll(popups);
    m_bCreated = false;
    m_bLoaded = false;
}

bool KestrelMenu::IsMenu(const QMenu* menu) { return menu && registry().contains(menu); }

bool KestrelMenu::AppendMenu(const QString& text, unsigned flags, int commandId, int imageIndex)
{
    return addItem(GetMenuItemCount(), text, flags, commandId, nullptr, {}, imageIndex);
}

bool KestrelMenu::AppendMenu(const QString& text, unsigned flags, int commandId, const QList<QImage>& images,
                             int imageIndex)
{
    return addItem(GetMenuItemCount(), text, flags, commandId, nullptr, images, imageIndex);
}

KestrelMenu* KestrelMenu::AppendPopup(const QString& text, unsigned flags)
{
    auto* popup = new KestrelMenu(this);
    popup->m_cxImage = m_cxImage;
    popup->m_cyImage = m_cyImage;
    popup->m_clrImageBack = m_clrImageBack;
    popup->m_bImageBackSet = m_bImageBackSet;
    popup->CreatePopupMenu();
    addItem(GetMenuItemCount(), text, flags, 0, popup, {}, -1);
    return popup;
}

bool KestrelMenu::InsertMenu(int where, unsigned flags, int commandId, const QString& text, int imageIndex)
{
    KestrelMenu* menu = this;
    int position = where;
    if (!(flags & ByPosition) && !findCommand(where, &menu, &position))
        return false;
    return menu->addItem(position, text, flags, commandId, nullptr, {}, imageIndex);
}

bool KestrelMenu::addItem(int position, const QString& text, unsigned flags, int commandId, KestrelMenu* subMenu,
                          const QList<QImage>& images, int imageIndex)
{
    CreatePopupMenu();
    position = std::clamp(position, 0, GetMenuItemCount());
    auto record = std::make_unique<CMenuData>();
    record->text = text;
    record->subMenu = subMenu;
    record->commandId = subMenu ? 0 : commandId;
    const unsigned kind = subMenu ? unsigned(Popup) : commandId == 0 ? unsigned(Separator) : 0u;
    record->flags = (flags & ~ByPosition) | OwnerDraw | kind;
    if (!images.isEmpty()) {
        record->images = images;
        record->imageIndex = imageIndex;
    } else if (imageIndex >= 0) {
        record->globalImage = imageIndex;
    } else if (record->commandId != 0) {
        record->globalImage = int(sharedImages().commands.indexOf(record->commandId));
    }
    QAction* action = nullptr;
    if (subMenu) {
        action = subMenu->menuAction();
        action->setText(text);
        m_subMenus.append(subMenu);
    } else {
        action = new QAction(text, this);
        action->setData(commandId);
        action->setSeparator(record->flags & Separator);
    }
    action->setEnabled(!(record->flags & (Grayed | Disabled)));
    action->setCheckable(record->flags & Checked);
    action->setChecked(record->flags & Checked);
    insertAction(actions().value(position), action);
    record->action = action;
    showImage(*record);
    m_items.insert(m_items.begin() + std::min<qsizetype>(position, qsizetype(m_items.size())), std::move(record));
    if (m_bLoaded)
        makeTopLevelPlain();
    return true;
}

void KestrelMenu::showImage(CMenuData& item)
{
    QImage image;
    if (!item.images.isEmpty())
        image = item.images.value(item.imageIndex);
    else
        image = sharedImages().images.value(item.globalImage);
    if (item.action && !item.action->isSeparator())
        item.action->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
}

bool KestrelMenu::findCommand(int commandId, KestrelMenu** menu, int* position)
{
    const QList<QAction*> items = actions();
    for (int i = 0; i < items.size(); ++i) {
        if (auto* popup = qobject_cast<KestrelMenu*>(items[i]->menu())) {
            if (popup->findCommand(commandId, menu, position))
                return true;
        } else if (!items[i]->isSeparator() && items[i]->data().toInt() == commandId) {
            *menu = this;
            *position = i;
            return true;
        }
    }
    return false;
}

bool KestrelMenu::findText(const QString& text, KestrelMenu** menu, int* position)
{
    const QList<QAction*> items = actions();
    for (int i = 0; i < items.size(); ++i) {
        if (items[i]->text() == text) {
            *menu = this;
            *position = i;
            return true;
        }
        auto* popup = qobject_cast<KestrelMenu*>(items[i]->menu());
        if (popup && popup->findText(text, menu, position))
            return true;
    }
    return false;
}

int KestrelMenu::recordIndex(const QAction* action) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->action == action)
            return int(i);
    return -1;
}

void KestrelMenu::setImage(int position, const QString& text, const QList<QImage>& images, int imageIndex)
{
    QAction* action = actions().at(position);
    action->setText(text);
    const int index = recordIndex(action);
    if (index < 0)
        return;
    CMenuData& item = *m_items[size_t(index)];
    item.text = text;
    item.images = images;
    item.imageIndex = images.isEmpty() ? -1 : imageIndex;
    item.globalImage = !images.isEmpty() ? -1
                       : imageIndex >= 0 ? imageIndex
                                         : int(sharedImages().commands.indexOf(item.commandId));
    showImage(item);
}

bool KestrelMenu::ModifyMenu(int commandId, const QString& text, int imageIndex)
{
    return ModifyMenu(commandId, text, QList<QImage>(), imageIndex);
}

bool KestrelMenu::ModifyMenu(int commandId, const QString& text, const QList<QImage>& images, int imageIndex)
{
    KestrelMenu* menu = nullptr;
    int position = -1;
    if (!findCommand(commandId, &menu, &position))
        return false;
    menu->setImage(position, text, images, imageIndex);
    return true;
}

bool KestrelMenu::ModifyMenu(int commandId, const QString& text, const QImage& bitmap)
{
    QImage image(m_cxImage, m_cyImage, QImage::Format_ARGB32);
    image.fill(m_clrImageBack);
    QPainter(&image).drawImage(0, 0, bitmap);
    return ModifyMenu(commandId, text, QList<QImage>{image}, 0);
}

bool KestrelMenu::ModifyMenu(int commandId, const QString& text, const QColor& square)
{
    QImage image(m_cxImage, m_cyImage, QImage::Format_ARGB32);
    image.fill(square);
    return ModifyMenu(commandId, text, QList<QImage>{image}, 0);
}

bool KestrelMenu::ModifyMenu(const QString& oldText, const QString& newText, int imageIndex)
{
    KestrelMenu* menu = nullptr;
    int position = -1;
    if (!findText(oldText, &menu, &position))
        return false;
    menu->setImage(position, newText, {}, imageIndex);
    return true;
}

bool KestrelMenu::RemoveMenu(int where, unsigned flags) { return takeItem(where, flags, false); }

bool KestrelMenu::DeleteMenu(int where, unsigned flags) { return takeItem(where, flags, true); }

bool KestrelMenu::takeItem(int where, unsigned flags, bool deletePopup)
{
    KestrelMenu* menu = this;
    int position = where;
    if (flags & ByPosition) {
        if (where < 0 || where >= GetMenuItemCount())
            return false;
    } else if (!findCommand(where, &menu, &position)) {
        return false;
    }
    QAction* action = menu->actions().at(position);
    if (const int index = menu->recordIndex(action); index >= 0)
        menu->m_items.erase(menu->m_items.begin() + index);
    menu->removeAction(action);
    auto* popup = qobject_cast<KestrelMenu*>(action->menu());
    if (!popup) {
        delete action;
        return true;
    }
    menu->m_subMenus.removeAll(popup);
    if (deletePopup) {
        delete popup;
    } else {
        // A removed pop-up lives on for the caller, who deletes it.
        popup->setParent(nullptr, popup->windowFlags());
    }
    return true;
}

KestrelMenu* KestrelMenu::GetSubMenu(int position) const
{
    const QAction* action = actions().value(position);
    return action ? qobject_cast<KestrelMenu*>(action->menu()) : nullptr;
}

KestrelMenu* KestrelMenu::GetSubMenu(const QString& text) const
{
    for (QAction* action : actions()) {
        auto* popup = qobject_cast<KestrelMenu*>(action->menu());
        if (!popup)
            continue;
        if (action->text() == text)
            return popup;
        if (KestrelMenu* found = popup->GetSubMenu(text))
            return found;
    }
    return nullptr;
}

QString KestrelMenu::GetMenuText(int position) const
{
    const QAction* action = actions().value(position);
    return action ? action->text() : QString();
}

const KestrelMenu::CMenuData* KestrelMenu::GetRecord(int position) const
{
    const int index = recordIndex(actions().value(position));
    return index < 0 ? nullptr : m_items[size_t(index)].get();
}

void KestrelMenu::UnmarkRecords()
{
    for (auto& item : m_items)
        item->used = false;
}

void KestrelMenu::MarkRecordsInUse()
{
    for (QAction* action : actions())
        if (const int index = recordIndex(action); index >= 0)
            m_items[size_t(index)]->used = true;
}

int KestrelMenu::DeleteUnmarkedRecords()
{
    const auto unused = std::remove_if(m_items.begin(), m_items.end(), [](const auto& item) { return !item->used; });
    const int count = int(std::distance(unused, m_items.end()));
    m_items.erase(unused, m_items.end());
    return count;
}

bool KestrelMenu::SynchronizeRecords()
{
    if (m_items.size() == size_t(GetMenuItemCount()))
        return false;
    std::vector<std::unique_ptr<CMenuData>> records;
    for (QAction* action : actions()) {
        const auto kept = std::find_if(m_items.begin(), m_items.end(),
                                       [action](const auto& item) { return item && item->action == action; });
        if (kept != m_items.end()) {
            records.push_back(std::move(*kept));
            continue;
        }
        auto record = std::make_unique<CMenuData>();
        record->text = action->text();
        record->subMenu = qobject_cast<KestrelMenu*>(action->menu());
        record->commandId = record->subMenu ? 0 : action->data().toInt();
        record->flags = OwnerDraw | (record->subMenu ? unsigned(Popup) : 0u) | (action->isSeparator() ? unsigned(Separator) : 0u);
        record->action = action;
        records.push_back(std::move(record));
    }
    m_items = std::move(records);
    return true;
}

bool KestrelMenu::LoadMenu(const QByteArray& menuTemplate) { return LoadMenuTemplate(menuTemplate); }

bool KestrelMenu::LoadMenuTemplate(const QByteArray& menuTemplate)
{
    if (menuTemplate.size() < 4)
        return false;
    DestroyMenu();
    CreatePopupMenu();
    qsizetype offset = 4 + wordAt(menuTemplate, 2);
    struct Level {
        KestrelMenu* menu;
        bool ended;
    };
    QList<Level> levels{{this, false}};
    while (!levels.isEmpty()) {
        if (offset + 2 > menuTemplate.size()) {
            DestroyMenu();
            return false;
        }
        unsigned flags = wordAt(menuTemplate, offset);
        offset += 2;
        int commandId = 0;
        if (!(flags & Popup)) {
            if (offset + 2 > menuTemplate.size()) {
                DestroyMenu();
                return false;
            }
            commandId = wordAt(menuTemplate, offset);
            offset += 2;
        }
        const bool end = flags & kMenuEnd;
        flags &= ~kMenuEnd;
        QString text;
        if (!readText(menuTemplate, offset, text)) {
            DestroyMenu();
            return false;
        }
        Level& top = levels.last();
        if (end)
            top.ended = true;
        if (flags & Popup) {
            KestrelMenu* popup = top.menu->AppendPopup(text, flags & ~Popup);
            levels.append({popup, false});
            continue;
        }
        top.menu->AppendMenu(text, flags, commandId);
        while (!levels.isEmpty() && levels.last().ended)
            levels.removeLast();
    }
    makeTopLevelPlain();
    m_bLoaded = true;
    return true;
}

void KestrelMenu::makeTopLevelPlain()
{
    for (auto& item : m_items)
        item->flags &= ~OwnerDraw;
}

bool KestrelMenu::LoadToolbar(const QByteArray& toolbarData, const QImage& bitmap)
{
    if (toolbarData.size() < 8)
        return false;
    const int width = wordAt(toolbarData, 2);
    const int height = wordAt(toolbarData, 4);
    const int count = wordAt(toolbarData, 6);
    if (width == 0 || height == 0 || toolbarData.size() < 8 + 2 * qsizetype(count))
        return false;
    const QImage strip = bitmap.convertToFormat(QImage::Format_ARGB32);
    SharedImages& shared = sharedImages();
    int next = 0;
    for (int i = 0; i < count; ++i) {
        const int commandId = wordAt(toolbarData, 8 + 2 * i);
        if (commandId == 0)
            continue;
        if ((next + 1) * width > strip.width() || height > strip.height())
            return false;
        QImage image = strip.copy(next++ * width, 0, width, height);
        const QRgb background = m_clrImageBack.rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & RGB_MASK) == (background & RGB_MASK))
                    line[x] = qRgba(0, 0, 0, 0);
        }
        const qsizetype known = shared.commands.indexOf(commandId);
        if (known >= 0) {
            shared.images[known] = image;
        } else {
            shared.commands.append(commandId);
            shared.images.append(image);
        }
    }
    // Items of these commands that have no image of their own show the toolbar's.
    const std::function<void(KestrelMenu*)> refresh = [&](KestrelMenu* menu) {
        for (auto& item : menu->m_items) {
            if (item->images.isEmpty() && item->commandId != 0) {
                item->globalImage = int(shared.commands.indexOf(item->commandId));
                menu->showImage(*item);
            }
        }
        for (KestrelMenu* popup : std::as_const(menu->m_subMenus))
            refresh(popup);
    };
    refresh(this);
    return true;
}

void KestrelMenu::SetIconSize(int cx, int cy)
{
    m_cxImage = cx;
    m_cyImage = cy;
    for (KestrelMenu* popup : std::as_const(m_subMenus))
        popup->SetIconSize(cx, cy);
}

void KestrelMenu::SetBitmapBackground(const QColor& colour)
{
    m_clrImageBack = colour;
    m_bImageBackSet = true;
    for (KestrelMenu* popup : std::as_const(m_subMenus))
        popup->SetBitmapBackground(colour);
}

void KestrelMenu::SetMenuDrawMode(bool flat) { g_flatLook = flat; }

bool KestrelMenu::IsFlatLook() { return g_flatLook; }

int KestrelMenu::menuLineHeight() const
{
    // As high as one line of a menu bar: the menu font's line with 3 pixels above and below.
    return fontMetrics().height() + 6;
}

QSize KestrelMenu::MeasureItem(const QStyleOptionMenuItem& item) const
{
    if (item.menuItemType == QStyleOptionMenuItem::Separator)
        return QSize(0, std::max(menuLineHeight() / 2, (m_cyImage + kExtra) / 2));
    const int text = item.fontMetrics.horizontalAdvance(item.text);
    const int width = IsFlatLook() ? m_cxImage + kExtra + text + 8 : m_cxImage + text + m_cxImage + 1;
    return QSize(width, std::max(menuLineHeight(), m_cyImage + kExtra));
}

QColor KestrelMenu::LightenColor(const QColor& colour, double factor)
{
    if (factor <= 0 || factor > 1)
        return colour;
    const auto lighten = [factor](int c) { return c + int((255 - c) * factor); };
    return QColor(lighten(colour.red()), lighten(colour.green()), lighten(colour.blue()));
}

QColor KestrelMenu::DarkenColor(const QColor& colour, double factor)
{
    if (factor <= 0 || factor > 1)
        return colour;
    const auto darken = [factor](int c) { return c - int(c * factor); };
    return QColor(darken(colour.red()), darken(colour.green()), darken(colour.blue()));
}

void KestrelMenu::DrawItem(QPainter& painter, const QStyleOptionMenuItem& item) const
{
    painter.save();
    if (IsFlatLook())
        drawFlat(painter, item);
    else
        drawClassic(painter, item);
    painter.restore();
}

void KestrelMenu::drawClassic(QPainter& painter, const QStyleOptionMenuItem& item) const
{
    const QRect r = item.rect;
    const QPalette& palette = item.palette;
    const QColor back = palette.color(QPalette::Window);
    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        painter.fillRect(r, back);
        const int middle = r.top() + r.height() / 2;
        painter.setPen(palette.color(QPalette::Dark));
        painter.drawLine(r.left(), middle, r.right(), middle);
        painter.setPen(palette.color(QPalette::Light));
        painter.drawLine(r.left(), middle + 1, r.right(), middle + 1);
        return;
    }
    const bool enabled = item.state & QStyle::State_Enabled;
    // A disabled item is never drawn selected.
    const bool selected = enabled && (item.state & QStyle::State_Selected);
    const bool hasImage = !item.icon.isNull();
    const bool checked = item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;
    painter.fillRect(r, back);
    if (selected) {
        QRect highlight = r;
        if (hasImage || checked)
            highlight.setLeft(r.left() + m_cxImage + 5);
        painter.fillRect(highlight, palette.color(QPalette::Highlight));
    }
    const int down = std::max(0, (r.height() - 4 - m_cyImage) / 2);
    const QRect cell(r.left(), r.top() + down, m_cxImage + 4, m_cyImage + 4);
    if (hasImage) {
        if (checked) {
            painter.fillRect(cell, LightenColor(back, 0.6));
            qDrawShadeRect(&painter, cell, palette, true);
        } else if (selected) {
            qDrawShadeRect(&painter, cell, palette, false);
        }
        item.icon.paint(&painter, QRect(cell.topLeft() + QPoint(2, 2), QSize(m_cxImage, m_cyImage)), Qt::AlignCenter,
                        enabled ? QIcon::Normal : QIcon::Disabled);
    } else if (checked) {
        drawCheckMark(painter, cell, palette.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
    }
    QRect text = r.adjusted(m_cxImage + 9, 0, 0, 0);
    const QString label = item.text.section(QLatin1Char('\t'), 0, 0);
    const QString shortcut = item.text.section(QLatin1Char('\t'), 1);
    const auto drawText = [&](const QRect& area) {
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, label);
        painter.drawText(area.adjusted(0, 0, -m_cxImage, 0),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, shortcut);
    };
    if (!enabled) {
        painter.setPen(palette.color(QPalette::Light));
        drawText(text.translated(1, 1));
        painter.setPen(palette.color(QPalette::Disabled, QPalette::WindowText));
    } else {
        painter.setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
    }
    drawText(text);
    drawSubMenuArrow(painter, item, painter.pen().color());
}

void KestrelMenu::drawFlat(QPainter& painter, const QStyleOptionMenuItem& item) const
{
    const QRect r = item.rect;
    const QPalette& palette = item.palette;
    const int column = m_cxImage + kExtra;
    painter.fillRect(QRect(r.left(), r.top(), column, r.height()), LightenColor(palette.color(QPalette::Button), 0.25));
    painter.fillRect(r.adjusted(column, 0, 0, 0), palette.color(QPalette::Base));
    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        painter.setPen(palette.color(QPalette::Dark));
        const int middle = r.top() + r.height() / 2;
        painter.drawLine(r.left() + column + 8, middle, r.right(), middle);
        return;
    }
    const bool enabled = item.state & QStyle::State_Enabled;
    const bool selected = item.state & QStyle::State_Selected;
    const bool hasImage = !item.icon.isNull();
    const bool checked = item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;
    const QColor highlight = palette.color(QPalette::Highlight);
    const QColor lightHighlight = LightenColor(highlight, 0.85);
    if (selected) {
        painter.fillRect(r, lightHighlight);
        painter.setPen(highlight);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    const QRect image(QPoint(r.left() + (column - m_cxImage) / 2, r.top() + (r.height() - m_cyImage) / 2),
                      QSize(m_cxImage, m_cyImage));
    if (checked) {
        const QRect frame = image.adjusted(-1, -1, 1, 1);
        painter.fillRect(frame, lightHighlight);
        painter.setPen(highlight);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
    if (hasImage)
        item.icon.paint(&painter, image, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled);
    else if (checked)
        drawCheckMark(painter, image, palette.color(QPalette::WindowText));
    const QColor grey = palette.color(QPalette::Disabled, QPalette::WindowText);
    painter.setPen(enabled ? palette.color(QPalette::WindowText) : selected ? grey : LightenColor(grey, 0.4));
    const QRect text = r.adjusted(column + 8, 0, -m_cxImage, 0);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    painter.drawText(text, flags | Qt::AlignLeft, item.text.section(QLatin1Char('\t'), 0, 0));
    painter.drawText(text, flags | Qt::AlignRight, item.text.section(QLatin1Char('\t'), 1));
    drawSubMenuArrow(painter, item, painter.pen().color());
}

int KestrelMenu::FindMenuChar(QChar character, unsigned flags, const QMenu* menu)
{
    if (!menu || !(flags & Popup))
        return -1;
    const QString mnemonic = (QStringLiteral("&") + character).toLower();
    const QList<QAction*> items = menu->actions();
    for (int position = 0; position < items.size(); ++position) {
        if (items[position]->text().toLower().contains(mnemonic))
            return position;
    }
    return -1;
}

void KestrelMenu::keyPressEvent(QKeyEvent* event)
{
    // A character chooses the first item that carries it after "&", and runs it.
    const QString typed = event->text();
    const int position = typed.size() == 1 && typed[0].isPrint() ? FindMenuChar(typed[0], Popup, this) : -1;
    if (position < 0) {
        QMenu::keyPressEvent(event);
        return;
    }
    setActiveAction(actions().at(position));
    QKeyEvent run(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QMenu::keyPressEvent(&run);
}
