#pragma once

#include <QString>

class QWidget;

// Shows a page of the program folder (HTML or plain text) in a window of its own beside the
// window that asked, which the librarian can read and scroll while that window stays usable;
// the window closes with its owner. False when the page cannot be read, and nothing shows.
bool showPage(QWidget* owner, const QString& path);
