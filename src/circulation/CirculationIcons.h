#pragma once

#include <QIcon>

// The pictures of the circulation windows' icon buttons, drawn from the desktop style.
enum class CirculationIcon { Search, Confirm, Add, Delete, ClearAll, LendAll, ReturnAll };

QIcon circulationIcon(CirculationIcon which);
