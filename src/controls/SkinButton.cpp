#include "controls/SkinButton.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QMenu>
#include <QPixmap>
#include <QUrl>

namespace {
constexpr int kColorCount = 6;
}

CSkinButton::CSkinButton(QWidget* parent)
    : QPushButton(parent)
{
    SetDefaultColors(false);
    connect(this, &QAbstractButton::clicked, this, &CSkinButton::OnClicked);
    connect(this, &QAbstractButton::pressed, this, &CSkinButton::UpdateLook);
    connect(this, &QAbstractButton::released, this, &CSkinButton::UpdateLook);
    connect(this, &QAbstractButton::toggled, this, &CSkinButton::UpdateLook);
    UpdateLook();
}

int CSkinButton::SetIcon(const QString& inIcon, const QString& outIcon)
{
    const QPixmap in(inIcon);
    const QPixmap out = outIcon.isEmpty() ? QPixmap() : QPixmap(outIcon);
    if (in.isNull() || (!outIcon.isEmpty() && out.isNull()))
        return SetIconHandles(QIcon(), QIcon());
    return SetIconHandles(QIcon(in), out.isNull() ? QIcon() : QIcon(out));
}

int CSkinButton::SetIconHandles(const QIcon& inIcon, const QIcon& outIcon)
{
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

int CSkinButton::SetMenu(QMenu* menu)
{
    if (QMenu* old = QPushButton::menu()) {
        QPushButton::setMenu(nullptr);
        delete old;
    }
    if (menu) {
        menu->setParent(this, menu->windowFlags());
        QPushButton::setMenu(menu);
    }
    return Ok;
}

void CSkinButton::OnClicked()
{
    setFocus(Qt::MouseFocusReason);
    if (!isCheckable() && !menu() && !m_strLink.isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(m_strLink));
}

bool CSkinButton::HoverAllowed() const
{
    return m_bFlatLook && isEnabled() && (m_bTrackInactive || isActiveWindow());
}

void CSkinButton::enterEvent(QEnterEvent* event)
{
    QPushButton::enterEvent(event);
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
    const bool pressed = isDown() || (isCheckable() && isChecked());
    const bool active = m_bMouseOver || pressed;
    const bool outLook = !pressed && (isCheckable() || !m_bMouseOver);
    m_iconShown = outLook && !m_iconOut.isNull() ? m_iconOut : m_iconIn;
    QPushButton::setIcon(m_iconShown);
    QPalette colours = palette();
    const int back = active ? BackIn : (hasFocus() ? BackFocus : BackOut);
    colours.setColor(QPalette::Button, m_clr[back]);
    colours.setColor(QPalette::ButtonText, m_clr[active ? ForeIn : ForeOut]);
    setPalette(colours);
    update();
}
