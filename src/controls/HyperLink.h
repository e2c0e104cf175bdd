#pragma once

#include <QColor>
#include <QLabel>

// A label that opens its target, a page of the program folder, when clicked. Its text takes
// the link colour, the hover colour while the mouse is over it, and keeps the visited colour
// once clicked.
class CHyperLink : public QLabel {
    Q_OBJECT
public:
    explicit CHyperLink(QWidget* parent = nullptr);

    void SetLink(const QString& url, const QColor& link, const QColor& visited, const QColor& hover, bool underline);
    // Shows the target page; one that cannot be shown is reported and gives false.
    bool GotoURL();

    QString URL() const { return m_strURL; }
    bool IsVisited() const { return m_bVisited; }
    // The colour the text is drawn in now.
    QColor TextColour() const;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void updateLook();

    QColor m_crLink;
    QColor m_crVisited;
    QColor m_crHover;
    bool m_bHover = false;
    bool m_bVisited = false;
    bool m_bUnderline = false;
    QString m_strURL;
};
