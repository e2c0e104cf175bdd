#pragma once

#include "controls/KestrelMenu.h"

#include <QColor>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QPushButton>

#include <array>

class QPainter;

// The push button of the windows, painted by itself. In the flat look it has no border at
// rest, a raised one while the mouse is over it and a sunken one while pressed; otherwise
// the classic raised border, with a black frame when focused or the default button. An
// image stands left of, above or right of the caption (an "in" image while hovered or
// pressed, an optional "out" image otherwise), six settable colours, a hover cursor, a
// tooltip, a link opened on click and an optional drop-down menu. A checkable button is a
// toggle. An icon given the plain QPushButton way (a form's icon property) serves as the in
// icon.
class CSkinButton : public QPushButton {
    Q_OBJECT
public:
    // The command a drop-down menu sends to its owner, as a menu sends one to its window.
    class CommandEvent : public QEvent {
    public:
        static Type kind();
        explicit CommandEvent(int commandId) : QEvent(kind()), m_id(commandId) {}
        int commandId() const { return m_id; }

    private:
        int m_id;
    };

    // Results of the setters.
    enum Result { Ok = 0, BadImage = 1, BadColorIndex = 3, BadAlign = 4, BadShade = 5 };
    // Colour indexes: background and caption while hovered or pressed, otherwise, focused.
    enum ColorIndex { BackIn = 0, ForeIn = 1, BackOut = 2, ForeOut = 3, BackFocus = 4, ForeFocus = 5 };
    // Where the image stands beside the caption.
    enum Align { ImageLeft = 0, ImageAbove = 1, ImageRight = 2 };
    // The out image that is a grey copy of the in image.
    enum GreyOut { GreyCopy };

    explicit CSkinButton(QWidget* parent = nullptr);

    // Icons by the program's icon numbers (resourceIcon): out 0 = the in icon throughout,
    // kGreyOut = a grey copy of the in icon.
    static constexpr int kGreyOut = -2;
    int SetIcon(int inIcon, int outIcon);
    // Icons by resource path (":/icons/x.png"); an empty out icon = the in icon throughout.
    int SetIcon(const QString& inIcon, const QString& outIcon = {});
    int SetIcon(const QString& inIcon, GreyOut out);
    int SetIconHandles(const QIcon& inIcon, const QIcon& outIcon = {});
    // Bitmaps drawn at their own size, every pixel of the transparent colour left out; by
    // picture path or as images. 1 when the in bitmap cannot be read (no image is left).
    int SetBitmaps(const QString& inBitmap, const QColor& inTransparent, const QString& outBitmap = {},
                   const QColor& outTransparent = {});
    int SetBitmapHandles(const QImage& inBitmap, const QColor& inTransparent, const QImage& outBitmap = {},
                         const QColor& outTransparent = {});

    // Hover tracking: while on, the in icon and colours show while the mouse is over it.
    int SetFlatLook(bool flat, bool repaint = true);
    bool IsFlatLook() const { return m_bFlatLook; }
    int SetAlign(int align, bool repaint = true);
    // The raised or sunken border of a flat button while hovered or pressed.
    int SetHoverBorder(bool border, bool repaint = true);
    // A flat button draws the dotted focus rectangle only when asked to.
    int SetFlatFocusRect(bool focusRect, bool repaint = true);
    // The parent window shows through inside the frame instead of the button's own colour.
    void UseParentBackground(bool repaint = true);
    // The cursor over the button, by image path; an empty path = the usual cursor.
    int SetBtnCursor(const QString& cursor, bool repaint = true);
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
    // Attaches the drop-down menu built from a menu template (an empty one only removes the
    // menu); a click shows its first pop-up below the button and sends the chosen command to
    // the owner as a CommandEvent. The flat-look flag picks the look of every such menu; a
    // toolbar gives the items their images, of size cx x cy, whose background colour is
    // transparent. 1 when the menu or the toolbar cannot be read.
    int SetMenu(const QByteArray& menuTemplate, QObject* owner, bool flatLook, const MenuToolBar& toolbar, int cx,
                int cy, const QColor& imageBackground, bool repaint = true);
    const KestrelMenu& Menu() const { return m_menu; }
    bool IsMenuOpen() const { return m_bMenuOpen; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private slots:
    void OnClicked();

private:
    struct Placement {
        QRect image;
        QRect caption;
    };
    static QImage MakeGreyImage(const QImage& image);
    static QImage MakeMask(const QImage& bitmap, const QColor& transparent);
    bool IsPressed() const;
    Placement PlaceImage(const QSize& image, bool shifted) const;
    void OnDrawBackground(QPainter& painter, const QRect& area) const;
    void OnDrawBorder(QPainter& painter, const QRect& area, bool pressed) const;
    void DrawRaisedBorder(QPainter& painter, const QRect& area) const;
    void DrawCaption(QPainter& painter, const QRect& area, bool pressed) const;
    void DrawFocusRect(QPainter& painter) const;
    void TrackMenu();
    void Repaint(bool repaint);
    void CancelHover();
    void UpdateLook();
    void AdoptPlainIcon();
    bool HoverAllowed() const;

    bool m_bFlatLook = true;
    bool m_bTrackInactive = true;
    bool m_bMouseOver = false;
    bool m_bPaintParentBack = false;
    bool m_bHoverBorder = true;
    bool m_bFlatFocusRect = false;
    int m_nImageAlign = ImageLeft;
    std::array<QColor, 6> m_clr;
    QIcon m_iconIn;
    QIcon m_iconOut;
    QIcon m_iconShown;  // the icon this class last put on the button
    QString m_strTip;
    QString m_strLink;
    KestrelMenu m_menu;
    QPointer<QObject> m_menuOwner;
    bool m_bMenuOpen = false;
};
