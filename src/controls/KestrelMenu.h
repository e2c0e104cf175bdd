#pragma once

#include <QMenu>

// A drop-down menu whose items carry command ids. Every KestrelMenu and its pop-ups are
// entered in one registry for their lifetime, so a button can ask whether a menu is one
// of them; Qt paints the items. A command id of 0 makes an item a separator.
class KestrelMenu : public QMenu {
    Q_OBJECT
public:
    explicit KestrelMenu(QWidget* parent = nullptr);
    ~KestrelMenu() override;

    QAction* AppendMenu(const QString& text, int commandId, const QIcon& icon = {});
    // A new pop-up at the end; it belongs to this menu.
    KestrelMenu* AppendPopup(const QString& text);
    // Removes the item holding the command, searched through every pop-up.
    bool DeleteMenu(int commandId);
    // The item holding the command, searched through every pop-up; null when none.
    QAction* FindCommand(int commandId) const;

    int GetMenuItemCount() const { return int(actions().size()); }
    QString GetMenuString(int position) const;
    KestrelMenu* GetSubMenu(int position) const;

    static bool IsMenu(const QMenu* menu);
    // The position of the first item whose text holds "&" and the character (without
    // regard to case); -1 when none.
    static int FindMenuChar(QChar character, const QMenu* menu);

signals:
    // An item was chosen, here or in a pop-up of this menu.
    void commandChosen(int commandId);
};
