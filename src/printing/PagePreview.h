#pragma once

#include <QAbstractScrollArea>
#include <QImage>

class PageSource;

// The preview of a print window: one page drawn at scale 1 into a page surface, shown on a
// grey background with a black shadow, either fitted to the view's width (zoom mode 1) or at
// full size (mode 2). A click in the view switches the mode; the wheel scrolls 30 pixels a
// turn; the scroll ranges follow from the page and the view.
class PagePreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    // How a zoom mode shows the page. Fitted: mode 1 fits the width, mode 2 is full size.
    // SpinePage: a page that fits the view is shown full size in mode 1 and fitted in mode 2,
    // a wider page the other way round.
    enum class ViewRule { Fitted, SpinePage };

    explicit PagePreview(QWidget* parent = nullptr);

    // The page in page pixels and their resolution (120 dpi for barcode and card pages).
    void SetPageSize(const QSize& size, int dotsPerInch = 120);
    void SetViewRule(ViewRule rule);
    // Draws the page into the page surface and shows it; scrolling later shows this surface
    // again without drawing the page anew.
    void ShowPage(const PageSource& pages, int page);

    int ZoomMode() const { return m_nZoom; }
    void SetZoomMode(int mode);
    // What a click does: from mode 1 to 2, from any other to 1.
    void ToggleZoom();
    const QImage& PageSurface() const { return m_page; }
    // Where the page stands in the view.
    QRect PageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool ShowsFullSize() const;
    QSize ShownSize() const;
    void UpdateScrollRanges();
    void UpdateCursor();

    QImage m_page;
    ViewRule m_rule = ViewRule::Fitted;
    int m_nZoom = 1;
};
