#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QMenu>
#include <QPointer>

#include <memory>
#include <vector>

class QStyleOptionMenuItem;

// A toolbar that gives menu items their images: its data and its bitmap (KestrelMenu::LoadToolbar).
struct MenuToolBar {
    QByteArray data;
    QImage bitmap;
};

// A drop-down menu whose items the menu measures and paints itself, in a classic or a flat
// look. Each item keeps a record: its text, its command id or pop-up, its flags and its
// image, taken from the images of a toolbar (shared by every menu, by command) or from an
// image list of the item's own. Every menu that has been created, and its pop-ups, stand in
// one registry until destroyed, so a button can ask whether a menu is one of them.
class KestrelMenu : public QMenu {
    Q_OBJECT
public:
    // Item flags, by the values the menu functions give them.
    enum Flag : unsigned {
        ByCommand = 0x0, Grayed = 0x1, Disabled = 0x2, Checked = 0x8, Popup = 0x10,
        OwnerDraw = 0x100, ByPosition = 0x400, Separator = 0x800
    };

    // One item as the menu draws it.
    struct CMenuData {
        QString text;
        int globalImage = -1;  // position in the shared toolbar images
        int imageIndex = -1;   // position in the item's own images
        unsigned flags = 0;
        int commandId = 0;
        KestrelMenu* subMenu = nullptr;
        bool used = false;
        QList<QImage> images;  // the item's own image list
        QPointer<QAction> action;
    };

    explicit KestrelMenu(QWidget* parent = nullptr);
    ~KestrelMenu() override;

    // Makes the menu a pop-up menu of the registry (content operations do it when needed).
    void CreatePopupMenu();
    // Takes the menu and its pop-ups out of the registry, deletes the pop-ups, the records
    // and the items.
    void DestroyMenu();
    static bool IsMenu(const QMenu* menu);

    // Appends an item at the end; command id 0 makes a separator. `imageIndex` picks one of
    // the shared toolbar images (-1: the image the toolbar has for the command, if any);
    // `images` gives the item an image of its own, the one at `imageIndex`.
    bool AppendMenu(const QString& text, unsigned flags = 0, int commandId = 0, int imageIndex = -1);
    bool AppendMenu(const QString& text, unsigned flags, int commandId, const QList<QImage>& images, int imageIndex);
    // Appends a new pop-up with the text; it shares the menu's look.
    KestrelMenu* AppendPopup(const QString& text, unsigned flags = 0);
    // Inserts before `where`: a position with ByPosition, else the item holding that
    // command, searched through every pop-up.
    bool InsertMenu(int where, unsigned flags, int commandId, const QString& text, int imageIndex = -1);
    // Changes the text and the image of the item holding the command, searched through every
    // pop-up: a shared image, an image of another list, a bitmap drawn on the image
    // background colour, or a plain square of a colour.
    bool ModifyMenu(int commandId, const QString& text, int imageIndex = -1);
    bool ModifyMenu(int commandId, const QString& text, const QList<QImage>& images, int imageIndex);
    bool ModifyMenu(int commandId, const QString& text, const QImage& bitmap);
    bool ModifyMenu(int commandId, const QString& text, const QColor& square);
    // The same for the first item, searched through every pop-up, with that text.
    bool ModifyMenu(const QString& oldText, const QString& newText, int imageIndex = -1);
    // Remove takes the item out, keeping a pop-up it held; Delete also deletes the pop-up.
    bool RemoveMenu(int where, unsigned flags);
    bool DeleteMenu(int where, unsigned flags);

    int GetMenuItemCount() const { return int(actions().size()); }
    KestrelMenu* GetSubMenu(int position) const;
    KestrelMenu* GetSubMenu(const QString& text) const;
    QString GetMenuText(int position) const;
    const CMenuData* GetRecord(int position) const;

    // The records follow the items: clear every mark, mark the record of each item the menu
    // still has, delete the records left unmarked (returns how many), and, when the counts
    // still differ, make the records again from the items.
    void UnmarkRecords();
    void MarkRecordsInUse();
    int DeleteUnmarkedRecords();
    bool SynchronizeRecords();
    int GetRecordCount() const { return int(m_items.size()); }

    // Builds the menu from a menu template (the bytes of a menu resource): a header of two
    // 16-bit words, the version and the offset of the items behind it; each item a flags
    // word, a command word unless it opens a pop-up, and its text in zero-ended UTF-16. The
    // top-level items become plain items, as a menu bar shows them.
    bool LoadMenu(const QByteArray& menuTemplate);
    bool LoadMenuTemplate(const QByteArray& menuTemplate);
    bool IsLoaded() const { return m_bLoaded; }
    // Takes item images from a toolbar: its data (four 16-bit words: version, image width,
    // image height, item count, then the item command ids, 0 for a separator) and its
    // bitmap, one image after the other; the image background colour becomes transparent.
    bool LoadToolbar(const QByteArray& toolbarData, const QImage& bitmap);
    void SetIconSize(int cx, int cy);
    QSize IconSize() const { return QSize(m_cxImage, m_cyImage); }
    void SetBitmapBackground(const QColor& colour);
    QColor BitmapBackground() const { return m_clrImageBack; }
    bool IsBitmapBackgroundSet() const { return m_bImageBackSet; }

    // The look of every owner-drawn menu: flat, or classic.
    static void SetMenuDrawMode(bool flat);
    static bool IsFlatLook();
    // An item's size: the image width and a margin, the text and 8 pixels in the flat look;
    // the image twice and the text in the classic one; at least a menu line high.
    QSize MeasureItem(const QStyleOptionMenuItem& item) const;
    void DrawItem(QPainter& painter, const QStyleOptionMenuItem& item) const;
    // c + (255 - c) f and c - c f on each channel, for 0 < f <= 1.
    static QColor LightenColor(const QColor& colour, double factor);
    static QColor DarkenColor(const QColor& colour, double factor);

    // The position of the first item whose text holds "&" and the character (without
    // regard to case), in a pop-up only; -1 when none.
    static int FindMenuChar(QChar character, unsigned flags, const QMenu* menu);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool addItem(int position, const QString& text, unsigned flags, int commandId, KestrelMenu* subMenu,
                 const QList<QImage>& images, int imageIndex);
    // The menu and position of the item holding a command, searched through every pop-up.
    bool findCommand(int commandId, KestrelMenu** menu, int* position);
    bool findText(const QString& text, KestrelMenu** menu, int* position);
    int recordIndex(const QAction* action) const;
    bool takeItem(int where, unsigned flags, bool deletePopup);
    void showImage(CMenuData& item);
    void setImage(int position, const QString& text, const QList<QImage>& images, int imageIndex);
    void makeTopLevelPlain();
    int menuLineHeight() const;
    void drawClassic(QPainter& painter, const QStyleOptionMenuItem& item) const;
    void drawFlat(QPainter& painter, const QStyleOptionMenuItem& item) const;

    std::vector<std::unique_ptr<CMenuData>> m_items;
    QList<KestrelMenu*> m_subMenus;
    int m_cxImage = 16;
    int m_cyImage = 15;
    QColor m_clrImageBack = QColor(0xC0, 0xC0, 0xC0);
    bool m_bImageBackSet = false;
    bool m_bLoaded = false;
    bool m_bCreated = false;
};
