#include "controls/HyperLink.h"

#include "controls/Prompter.h"

#include <QDesktopServices>
#include <QFileInfo>
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
    // A local target that does not exist cannot be opened; say so as any other failure.
    const QUrl url = QUrl::fromUserInput(m_strURL);
    const bool missingFile = url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
    if (m_strURL.isEmpty() || !url.isValid() || missingFile || !QDesktopServices::openUrl(url)) {
        showMessage(this, QStringLiteral("提供的超级链接或者指定的文件无法执行"));
        return false;
    }
    return true;
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
