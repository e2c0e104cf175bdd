#include "controls/HyperLink.h"

#include "controls/PageViewer.h"
#include "controls/Prompter.h"

#include <QMouseEvent>
#include <QUrl>

CHyperLink::CHyperLink(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void CHyperLink::SetLink(const QString& url, const QColor& link, const QColor& visited, const QColor& hover,
                         bool underline)
{
    m_strURL = url;
    m_crLink = link;
    m_crVisited = visited;
    m_crHover = hover;
    m_bUnderline = underline;
    updateLook();
}

QColor CHyperLink::TextColour() const
{
    if (m_bVisited)
        return m_crVisited;
    return m_bHover ? m_crHover : m_crLink;
}

void CHyperLink::updateLook()
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, TextColour());
    setPalette(pal);
    QFont linkFont = font();
    linkFont.setUnderline(m_bUnderline);
    setFont(linkFont);
}

bool CHyperLink::GotoURL()
{
    // The page shows in the program's own viewer, so a true result means the librarian sees
    // it; handing it to the desktop would report success whether or not any viewer came up.
    const QUrl url = QUrl::fromUserInput(m_strURL);
    if (!m_strURL.isEmpty() && url.isLocalFile() && showPage(this, url.toLocalFile()))
        return true;
    showMessage(this, QStringLiteral("提供的超级链接或者指定的文件无法执行"));
    return false;
}

void CHyperLink::enterEvent(QEnterEvent* event)
{
    m_bHover = true;
    updateLook();
    QLabel::enterEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event)
{
    m_bHover = false;
    updateLook();
    QLabel::leaveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        GotoURL();
        m_bVisited = true;
        updateLook();
    }
    QLabel::mousePressEvent(event);
}
