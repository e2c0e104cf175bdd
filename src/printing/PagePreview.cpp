#include "printing/PagePreview.h"

#include "printing/PageSource.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace {
constexpr int kMargin = 15;
constexpr int kShadow = 3;
constexpr int kWheelStep = 30;
const QColor kBackground(100, 100, 100);

// A magnifier with a plus (zoom in) or a minus (zoom out).
QCursor magnifier(bool plus)
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2, 2, 13, 13));
    p.drawLine(QPointF(14, 14), QPointF(21, 21));
    p.drawLine(QPointF(5.5, 8.5), QPointF(11.5, 8.5));
    if (plus)
        p.drawLine(QPointF(8.5, 5.5), QPointF(8.5, 11.5));
    p.end();
    return QCursor(picture, 8, 8);
}
}

PagePreview::PagePreview(QWidget* parent) : QAbstractScrollArea(parent)
{
    // Both bars always stand, so the view keeps its width whatever the zoom.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setSingleStep(1);
        bar->setPageStep(10);
    }
    SetPageSize({PageSource::kPageWidth, PageSource::kPageHeight});
    UpdateCursor();
}

void PagePreview::SetPageSize(const QSize& size, int dotsPerInch)
{
    m_page = QImage(size, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    m_page.setDotsPerMeterX(dotsPerMeter);
    m_page.setDotsPerMeterY(dotsPerMeter);
    m_page.fill(Qt::white);
    UpdateScrollRanges();
    viewport()->update();
}

void PagePreview::SetViewRule(ViewRule rule)
{
    m_rule = rule;
    UpdateScrollRanges();
    viewport()->update();
}

void PagePreview::ShowPage(const PageSource& pages, int page)
{
    QPainter painter(&m_page);
    pages.DrawPage(painter, page, 1, 1);
    painter.end();
    viewport()->update();
}

void PagePreview::SetZoomMode(int mode)
{
    m_nZoom = mode;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    UpdateScrollRanges();
    UpdateCursor();
    viewport()->update();
}

void PagePreview::ToggleZoom() { SetZoomMode(m_nZoom == 1 ? 2 : 1); }

bool PagePreview::ShowsFullSize() const
{
    if (m_rule == ViewRule::Fitted)
        return m_nZoom == 2;
    const bool fits = m_page.width() <= viewport()->width();
    return m_nZoom == 2 ? m_page.width() >= viewport()->width() : fits;
}

QSize PagePreview::ShownSize() const
{
    if (ShowsFullSize())
        return m_page.size();
    const int width = std::max(1, viewport()->width() - 2 * kMargin);
    return {width, width * m_page.height() / m_page.width()};
}

QRect PagePreview::PageRect() const
{
    return QRect(QPoint(kMargin - horizontalScrollBar()->value(), kMargin - verticalScrollBar()->value()), ShownSize());
}

void PagePreview::UpdateScrollRanges()
{
    const QSize shown = ShownSize();
    const bool wide = ShowsFullSize();
    horizontalScrollBar()->setRange(0, wide ? std::max(0, shown.width() + 2 * kMargin - viewport()->width()) : 0);
    horizontalScrollBar()->setEnabled(wide);
    verticalScrollBar()->setRange(0, std::max(0, shown.height() + 2 * kMargin - viewport()->height()));
}

void PagePreview::UpdateCursor() { viewport()->setCursor(magnifier(m_nZoom == 1)); }

void PagePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kBackground);
    const QRect page = PageRect();
    // The shadow is 3 pixels larger than the page; under a fitted page it starts a pixel to
    // its left, so the page stands in it 1 pixel from the left and 2 from the right.
    const int shadowLeft = ShowsFullSize() ? 0 : 1;
    painter.fillRect(page.adjusted(-shadowLeft, 0, kShadow - shadowLeft, kShadow), Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !ShowsFullSize());
    painter.drawImage(page, m_page);
}

void PagePreview::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void PagePreview::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->value() + (delta > 0 ? -kWheelStep : kWheelStep));
    }
    event->accept();
}

void PagePreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    ToggleZoom();
}

void PagePreview::scrollContentsBy(int, int) { viewport()->update(); }
