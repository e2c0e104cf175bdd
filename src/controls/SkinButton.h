#pragma once

#include <QColor>
#include <QIcon>
#include <QPushButton>

#include <array>

class QMenu;

// The push button of the windows: framed as a button at rest, so that it never reads as a
// label, and tracking the mouse over it (the "flat look"): an icon left of the caption (an
// "in" icon while hovered or pressed, an optional "out" icon otherwise), six settable
// colours, a tooltip, a link opened on click and an optional drop-down menu. A checkable
// button is a toggle. Painting itself is left to the Qt style. An icon given the plain
// QPushButton way (a form's icon property) serves as the in icon.
class CSkinButton : public QPushButton {
    Q_OBJECT
public:
    // Results of the setters.
    enum Result { Ok = 0, BadImage = 1, BadColorIndex = 3, BadShade = 5 };
    // Colour indexes: background and caption while hovered or pressed, otherwise, focused.
    enum ColorIndex { BackIn = 0, ForeIn = 1, BackOut = 2, ForeOut = 3, BackFocus = 4, ForeFocus = 5 };

    explicit CSkinButton(QWidget* parent = nullptr);

    // Icons by resource path (":/icons/x.png"); an empty out icon = the in icon throughout.
    int SetIcon(const QString& inIcon, const QString& outIcon = {});
    int SetIconHandles(const QIcon& inIcon, const QIcon& outIcon = {});

    // Hover tracking: while on, the in icon and colours show while the mouse is over it.
    int SetFlatLook(bool flat, bool repaint = true);
    bool IsFlatLook() const { return m_bFlatLook; }
    int SetTrackInactive(bool track);
    bool IsMouseOver() const { return m_bMouseOver; }

    // A toggle only: any non-zero value checks it.
    int SetCheck(int check, bool repaint = true);
    int GetCheck() const { return isChecked() ? 1 : 0; }

    int SetDefaultColors(bool repaint = true);
    int SetColor(int index, const QColor& color, bool repaint = true);
    int GetColor(int index, QColor* color) const;
    // Lightens (shade > 0) or darkens a colour by the same amount on every channel, limited
    // so that no channel leaves 0..255 and the hue stays.
    int OffsetColor(int index, int shade, bool repaint = true);
    static QColor ShadeColor(const QColor& color, int shade);

    void SetTipText(const QString& text, bool activate = true);
    void EnableTip(bool enable);
    bool IsDefaultButton() const { return isDefault(); }
    int SetURL(const QString& link);
    // Attaches a drop-down menu (the button takes it over); nullptr removes the menu.
    int SetMenu(QMenu* menu);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private slots:
    void OnClicked();

private:
    void CancelHover();
    void UpdateLook();
    void AdoptPlainIcon();
    bool HoverAllowed() const;

    bool m_bFlatLook = true;
    bool m_bTrackInactive = true;
    bool m_bMouseOver = false;
    std::array<QColor, 6> m_clr;
    QIcon m_iconIn;
    QIcon m_iconOut;
    QIcon m_iconShown;  // the icon this class last put on the button
    QString m_strTip;
    QString m_strLink;
};
