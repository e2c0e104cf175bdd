#pragma once

#include <QString>

// Shows a local page in the desktop's viewer through xdg-open, left to run on its own. Like
// the shell's "open", it tells nobody whether a viewer showed the page.
void openPage(const QString& path);
