#include "controls/KestrelMenu.h"

#include <QList>

namespace {

QList<const QMenu*>& registry()
{
    static QList<const QMenu*> menus;
    return menus;
}

constexpr const char* kCommandProperty = "commandId";

}

KestrelMenu::KestrelMenu(QWidget* parent)
    : QMenu(parent)
{
    registry().append(this);
    connect(this, &QMenu::triggered, this, [this](QAction* action) {
        const QVariant command = action->property(kCommandProperty);
        if (command.isValid())
            emit commandChosen(command.toInt());
    });
}

KestrelMenu::~KestrelMenu()
{
    registry().removeAll(this);
}

QAction* KestrelMenu::AppendMenu(const QString& text, int commandId, const QIcon& icon)
{
    if (commandId == 0)
        return addSeparator();
    QAction* action = addAction(icon, text);
    action->setProperty(kCommandProperty, commandId);
    return action;
}

KestrelMenu* KestrelMenu::AppendPopup(const QString& text)
{
    auto* popup = new KestrelMenu(this);
    popup->setTitle(text);
    addMenu(popup);
    return popup;
}

QAction* KestrelMenu::FindCommand(int commandId) const
{
    for (QAction* action : actions()) {
        if (action->property(kCommandProperty) == commandId)
            return action;
        if (auto* popup = qobject_cast<KestrelMenu*>(action->menu())) {
            if (QAction* found = popup->FindCommand(commandId))
                return found;
        }
    }
    return nullptr;
}

bool KestrelMenu::DeleteMenu(int commandId)
{
    QAction* action = FindCommand(commandId);
    delete action;
    return action != nullptr;
}

QString KestrelMenu::GetMenuString(int position) const
{
    const QAction* action = actions().value(position);
    return action ? action->text() : QString();
}

KestrelMenu* KestrelMenu::GetSubMenu(int position) const
{
    const QAction* action = actions().value(position);
    return action ? qobject_cast<KestrelMenu*>(action->menu()) : nullptr;
}

bool KestrelMenu::IsMenu(const QMenu* menu)
{
    return menu && registry().contains(menu);
}

int KestrelMenu::FindMenuChar(QChar character, const QMenu* menu)
{
    if (!menu)
        return -1;
    const QString mnemonic = (QStringLiteral("&") + character).toLower();
    const QList<QAction*> items = menu->actions();
    for (int position = 0; position < items.size(); ++position) {
        if (items[position]->text().toLower().contains(mnemonic))
            return position;
    }
    return -1;
}
