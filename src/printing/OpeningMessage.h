#pragma once

class QString;
class QWidget;

// Shows a message over a window once it stands on the screen, such as a layout file that
// could not be read while the window was being built.
void showWhenShown(QWidget* window, const QString& message);
