#include "controls/SkinButton.h"

#include "controls/ButtonIcons.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QUrl>

#include <algorithm>

namespace {
constexpr int kColorCount = 6;
// Gap between the image and the button's edge.
constexpr int kImageGap = 3;
// The focus rectangle stands this far inside the button.
constexpr int kFocusInset = 3;
constexpr int kIconSize = 32;
}

CSkinButton::CSkinButton(QWidget* parent)
    : QPushButton(parent)
{
    // Icons load at the system's icon size, as an icon resource loaded without a size does.
    setIconSize(QSize(kIconSize, kIconSize));
    SetDefaultColors(false);
    connect(this, &QAbstractButton::clicked, this, &CSkinButton::OnClicked);
    connect(this, &QAbstractButton::pressed, this, &CSkinButton::UpdateLook);
    connect(this, &QAbstractButton::released, this, &CSkinButton::UpdateLook);
    connect(this, &QAbstractButton::toggled, this, &CSkinButton::UpdateLook);
    UpdateLook();
}

int CSkinButton::SetIcon(int inIcon, int outIcon)
{
    const QIcon in = resourceIcon(inIcon);
    if (outIcon != kGreyOut || in.isNull())
        return SetIconHandles(in, outIcon == 0 ? QIcon() : resourceIcon(outIcon));
    const QImage picture = in.pixmap(in.availableSizes().value(0, QSize(32, 32))).toImage();
    return SetIconHandles(in, QIcon(QPixmap::fromImage(MakeGreyImage(picture))));
}

int CSkinButton::SetIcon(const QString& inIcon, const QString& outIcon)
{
    const QPixmap in(inIcon);
    const QPixmap out = outIcon.isEmpty() ? QPixmap() : QPixmap(outIcon);
    if (in.isNull() || (!outIcon.isEmpty() && out.isNull()))
        return SetIconHandles(QIcon(), QIcon());
    return SetIconHandles(QIcon(in), out.isNull() ? QIcon() : QIcon(out));
}

int CSkinButton::SetIcon(const QString& inIcon, GreyOut)
{
    const QPixmap in(inIcon);
    if (in.isNull())
        return SetIconHandles(QIcon(), QIcon());
    return SetIconHandles(QIcon(in), QIcon(QPixmap::fromImage(MakeGreyImage(in.toImage()))));
}

QImage CSkinButton::MakeGreyImage(const QImage& image)
{
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb pixel = line[x];
            if (qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0)
                continue;
            // In whole numbers, so that white stays 255 and no rounding of the weights shows.
            const int g = (299 * qRed(pixel) + 587 * qGreen(pixel) + 114 * qBlue(pixel)) / 1000;
            line[x] = qRgba(g, g, g, qAlpha(pixel));
        }
    }
    return grey;
}

int CSkinButton::SetBitmaps(const QString& inBitmap, const QColor& inTransparent, const QString& outBitmap,
                            const QColor& outTransparent)
{
    return SetBitmapHandles(QImage(inBitmap), inTransparent, outBitmap.isEmpty() ? QImage() : QImage(outBitmap),
                            outTransparent);
}

int CSkinButton::SetBitmapHandles(const QImage& inBitmap, const QColor& inTransparent, const QImage& outBitmap,
                                  const QColor& outTransparent)
{
    if (inBitmap.isNull())
        return SetIconHandles(QIcon(), QIcon());
    const auto icon = [](const QImage& bitmap, const QColor& transparent) {
        return bitmap.isNull() ? QIcon() : QIcon(QPixmap::fromImage(MakeMask(bitmap, transparent)));
    };
    const int result = SetIconHandles(icon(inBitmap, inTransparent), icon(outBitmap, outTransparent));
    setIconSize(inBitmap.size());
    return result;
}

// The bitmap with every pixel of the transparent colour left out.
QImage CSkinButton::MakeMask(const QImage& bitmap, const QColor& transparent)
{
    QImage masked = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb clear = transparent.rgb() & RGB_MASK;
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((line[x] & RGB_MASK) == clear)
                line[x] = qRgba(0, 0, 0, 0);
    }
    return masked;
}

int CSkinButton::SetIconHandles(const QIcon& inIcon, const QIcon& outIcon)
{
    setIconSize(QSize(kIconSize, kIconSize));
    // A failed image leaves no image behind, not half a pair.
    const bool broken = inIcon.isNull();
    m_iconIn = broken ? QIcon() : inIcon;
    m_iconOut = broken ? QIcon() : outIcon;
    m_iconShown = icon();
    UpdateLook();
    return broken ? BadImage : Ok;
}

int CSkinButton::SetFlatLook(bool flat, bool repaint)
{
    m_bFlatLook = flat;
    if (!flat)
        m_bMouseOver = false;
    if (repaint)
        UpdateLook();
    return Ok;
}

int CSkinButton::SetAlign(int align, bool repaint)
{
    if (align < ImageLeft || align > ImageRight)
        return BadAlign;
    m_nImageAlign = align;
    updateGeometry();
    Repaint(repaint);
    return Ok;
}

int CSkinButton::SetHoverBorder(bool border, bool repaint)
{
    m_bHoverBorder = border;
    Repaint(repaint);
    return Ok;
}

int CSkinButton::SetFlatFocusRect(bool focusRect, bool repaint)
{
    m_bFlatFocusRect = focusRect;
    Repaint(repaint);
    return Ok;
}

void CSkinButton::UseParentBackground(bool repaint)
{
    m_bPaintParentBack = true;
    Repaint(repaint);
}

int CSkinButton::SetBtnCursor(const QString& cursor, bool repaint)
{
    unsetCursor();
    if (cursor.isEmpty())
        return Ok;
    const QPixmap image(cursor);
    Repaint(repaint);
    if (image.isNull())
        return BadImage;
    setCursor(QCursor(image));
    return Ok;
}

void CSkinButton::Repaint(bool repaint)
{
    if (repaint)
        update();
}

int CSkinButton::SetTrackInactive(bool track)
{
    m_bTrackInactive = track;
    return Ok;
}

int CSkinButton::SetCheck(int check, bool repaint)
{
    if (!isCheckable())
        return Ok;
    setChecked(check != 0);
    if (repaint)
        UpdateLook();
    return Ok;
}

int CSkinButton::SetDefaultColors(bool repaint)
{
    const QPalette standard = QPalette();
    for (int i = 0; i < kColorCount; ++i)
        m_clr[i] = standard.color(i % 2 == 0 ? QPalette::Button : QPalette::ButtonText);
    if (repaint)
        UpdateLook();
    return Ok;
}

int CSkinButton::SetColor(int index, const QColor& color, bool repaint)
{
    if (index < 0 || index >= kColorCount)
        return BadColorIndex;
    m_clr[index] = color;
    if (repaint)
        UpdateLook();
    return Ok;
}

int CSkinButton::GetColor(int index, QColor* color) const
{
    if (index < 0 || index >= kColorCount)
        return BadColorIndex;
    if (color)
        *color = m_clr[index];
    return Ok;
}

QColor CSkinButton::ShadeColor(const QColor& color, int shade)
{
    const int channels[] = {color.red(), color.green(), color.blue()};
    for (int c : channels) {
        if (shade > 0 && c + shade > 255)
            shade = 255 - c;
        else if (shade <= 0 && c + shade < 0)
            shade = -c;
    }
    return QColor(color.red() + shade, color.green() + shade, color.blue() + shade);
}

int CSkinButton::OffsetColor(int index, int shade, bool repaint)
{
    if (index < 0 || index >= kColorCount)
        return BadColorIndex;
    if (shade < -255 || shade > 255)
        return BadShade;
    return SetColor(index, ShadeColor(m_clr[index], shade), repaint);
}

void CSkinButton::SetTipText(const QString& text, bool activate)
{
    if (text.isEmpty())
        return;
    m_strTip = text;
    EnableTip(activate);
}

void CSkinButton::EnableTip(bool enable)
{
    setToolTip(enable ? m_strTip : QString());
}

int CSkinButton::SetURL(const QString& link)
{
    m_strLink = link.left(259);
    return Ok;
}

int CSkinButton::SetMenu(const QByteArray& menuTemplate, QObject* owner, bool flatLook, const MenuToolBar& toolbar,
                         int cx, int cy, const QColor& imageBackground, bool repaint)
{
    m_menu.DestroyMenu();
    m_menuOwner = nullptr;
    m_bMenuOpen = false;
    if (!menuTemplate.isEmpty()) {
        KestrelMenu::SetMenuDrawMode(flatLook);
        if (!m_menu.LoadMenu(menuTemplate))
            return BadImage;
        if (!toolbar.data.isEmpty()) {
            m_menu.SetBitmapBackground(imageBackground);
            m_menu.SetIconSize(cx, cy);
            if (!m_menu.LoadToolbar(toolbar.data, toolbar.bitmap)) {
                m_menu.DestroyMenu();
                return BadImage;
            }
        }
        m_menuOwner = owner;
    }
    Repaint(repaint);
    return Ok;
}

QEvent::Type CSkinButton::CommandEvent::kind()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void CSkinButton::OnClicked()
{
    setFocus(Qt::MouseFocusReason);
    if (isCheckable()) {
        update();
    } else if (KestrelMenu::IsMenu(&m_menu)) {
        TrackMenu();
    } else if (!m_strLink.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromUserInput(m_strLink));
    }
}

void CSkinButton::TrackMenu()
{
    m_bMenuOpen = true;
    repaint();
    KestrelMenu* popup = m_menu.GetSubMenu(0);
    const QAction* chosen = popup ? popup->exec(mapToGlobal(rect().bottomLeft() + QPoint(0, 1))) : nullptr;
    m_bMenuOpen = false;
    update();
    const int command = chosen ? chosen->data().toInt() : 0;
    if (command != 0 && m_menuOwner)
        QCoreApplication::postEvent(m_menuOwner, new CommandEvent(command));
}

bool CSkinButton::HoverAllowed() const
{
    return m_bFlatLook && isEnabled() && (m_bTrackInactive || isActiveWindow());
}

void CSkinButton::enterEvent(QEnterEvent* event)
{
    QPushButton::enterEvent(event);
    // A drag that comes in with the left button down does not light the button up.
    if (QGuiApplication::mouseButtons() & Qt::LeftButton)
        return;
    if (HoverAllowed() && !m_bMouseOver) {
        m_bMouseOver = true;
        UpdateLook();
    }
}

void CSkinButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    CancelHover();
}

void CSkinButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ActivationChange) {
        if (!isEnabled() || (!m_bTrackInactive && !isActiveWindow()))
            CancelHover();
    }
}

void CSkinButton::focusInEvent(QFocusEvent* event)
{
    QPushButton::focusInEvent(event);
    UpdateLook();
}

void CSkinButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    CancelHover();
    UpdateLook();
}

void CSkinButton::CancelHover()
{
    if (m_bFlatLook && m_bMouseOver) {
        m_bMouseOver = false;
        UpdateLook();
    }
}

void CSkinButton::AdoptPlainIcon()
{
    if (icon().cacheKey() == m_iconShown.cacheKey())
        return;
    m_iconIn = icon();
    m_iconOut = QIcon();
}

void CSkinButton::UpdateLook()
{
    AdoptPlainIcon();
    const bool outLook = !IsPressed() && (isCheckable() || !m_bMouseOver);
    m_iconShown = outLook && !m_iconOut.isNull() ? m_iconOut : m_iconIn;
    QPushButton::setIcon(m_iconShown);
    update();
}

QSize CSkinButton::sizeHint() const
{
    QSize hint = QPushButton::sizeHint();
    if (m_nImageAlign == ImageAbove && !icon().isNull() && !text().isEmpty()) {
        const int caption = fontMetrics().size(Qt::TextShowMnemonic, text()).height();
        hint.setHeight(std::max(hint.height(), 2 * kImageGap + icon().actualSize(iconSize()).height() + caption));
    }
    return hint;
}

CSkinButton::Placement CSkinButton::PlaceImage(const QSize& image, bool shifted) const
{
    const QRect item = rect();
    const bool hasCaption = !text().isEmpty();
    const int w = image.width();
    const int h = image.height();
    const int centredX = item.left() + (item.width() - w) / 2;
    const int centredY = item.top() + (item.height() - h) / 2;
    Placement place{QRect(QPoint(centredX, centredY), image), item};
    switch (m_nImageAlign) {
    case ImageLeft:
        if (hasCaption) {
            place.image.moveLeft(item.left() + kImageGap);
            place.caption.setLeft(item.left() + w + kImageGap);
        }
        break;
    case ImageAbove:
        if (hasCaption) {
            place.image.moveTop(item.top() + kImageGap);
            place.caption.setTop(item.top() + h);
        }
        break;
    case ImageRight:
        if (hasCaption) {
            place.caption.setLeft(kImageGap);
            place.caption.setRight(item.width() - w - kImageGap - 1);
            place.image.moveLeft(item.width() - w - kImageGap);
        } else {
            place.image.moveTop(item.top());
        }
        break;
    }
    if (shifted) {
        place.image.translate(1, 1);
        place.caption.translate(1, 1);
    }
    return place;
}

bool CSkinButton::IsPressed() const
{
    if (isCheckable())
        return isDown() || isChecked();
    return isDown() || m_bMenuOpen;
}

void CSkinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool pressed = IsPressed();
    QRect area = rect();
    if (!m_bFlatLook && (hasFocus() || isDefault())) {
        painter.setPen(Qt::black);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    if (!m_bPaintParentBack)
        OnDrawBackground(painter, area);
    if (pressed) {
        if (!m_bFlatLook) {
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawRect(area.adjusted(0, 0, -1, -1));
        } else if (m_bHoverBorder) {
            OnDrawBorder(painter, area, true);
        }
    } else if (!m_bFlatLook) {
        DrawRaisedBorder(painter, area);
    } else if (m_bMouseOver && m_bHoverBorder) {
        OnDrawBorder(painter, area, false);
    }
    const QIcon shown = icon();
    const Placement place = PlaceImage(shown.isNull() ? QSize() : shown.actualSize(iconSize()), pressed && !isCheckable());
    if (!shown.isNull())
        shown.paint(&painter, place.image, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    if (!text().isEmpty())
        DrawCaption(painter, place.caption, pressed);
    if (hasFocus() && (!m_bFlatLook || m_bFlatFocusRect))
        DrawFocusRect(painter);
}

void CSkinButton::OnDrawBackground(QPainter& painter, const QRect& area) const
{
    const bool active = m_bMouseOver || IsPressed();
    painter.fillRect(area, m_clr[active ? BackIn : (hasFocus() ? BackFocus : BackOut)]);
}

void CSkinButton::OnDrawBorder(QPainter& painter, const QRect& area, bool pressed) const
{
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    const QRect& r = area;
    painter.setPen(pressed ? shadow : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(pressed ? light : shadow);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

// The classic raised border: a light and a lighter line up and left, the darkest and a
// dark line down and right.
void CSkinButton::DrawRaisedBorder(QPainter& painter, const QRect& area) const
{
    const int l = area.left(), t = area.top(), r = area.right(), b = area.bottom();
    const auto corner = [&](QPalette::ColorRole role, QPoint from, QPoint via, QPoint to) {
        painter.setPen(palette().color(role));
        painter.drawPolyline(QList<QPoint>{from, via, to});
    };
    corner(QPalette::Light, {l, b}, {l, t}, {r, t});
    corner(QPalette::Midlight, {l + 1, b - 1}, {l + 1, t + 1}, {r - 1, t + 1});
    corner(QPalette::Shadow, {l, b}, {r, b}, {r, t});
    corner(QPalette::Dark, {l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t + 1});
}

// The caption centred in its rectangle, word-wrapped; a disabled one engraved.
void CSkinButton::DrawCaption(QPainter& painter, const QRect& area, bool pressed) const
{
    const int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;
    QRect measured = fontMetrics().boundingRect(area, flags, text());
    measured.moveTopLeft(area.topLeft()
                         + QPoint((area.width() - measured.width()) / 2, (area.height() - measured.height()) / 2));
    if (!isEnabled()) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(measured.translated(1, 1), flags, text());
        painter.setPen(palette().color(QPalette::Dark));
    } else {
        painter.setPen(m_clr[m_bMouseOver || pressed ? ForeIn : ForeOut]);
    }
    painter.drawText(measured, flags, text());
}

void CSkinButton::DrawFocusRect(QPainter& painter) const
{
    QPen dotted(palette().color(QPalette::ButtonText));
    dotted.setStyle(Qt::DotLine);
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
}
