#pragma once

#include <QIcon>

// The pictures of the windows' icon buttons, drawn from the desktop style.
enum class ButtonIcon { Search, Confirm, Add, Delete, ClearAll, MoveDown, MoveUp };

QIcon buttonIcon(ButtonIcon which);
