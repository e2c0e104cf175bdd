#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every message a window shows goes through the installed prompter, so that tests can
// read what was said and answer the questions.
class Prompter {
public:
    virtual ~Prompter() = default;
    // `defaultButton` is what Enter answers (NoButton: the box's own choice, its first
    // accepting button, as a Windows message box answers).
    virtual QMessageBox::StandardButton ask(QWidget* parent, const QString& text, const QString& caption,
                                            QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                            QMessageBox::StandardButton defaultButton) = 0;
    // A question that closes itself after the given time when nobody answers it; it then
    // answers `unanswered`.
    virtual QMessageBox::StandardButton askTimed(QWidget* parent, const QString& text, const QString& caption,
                                                 QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                                 QMessageBox::StandardButton unanswered, int milliseconds) = 0;

    static Prompter& instance();
    // Installs a prompter (not owned); nullptr restores the message-box prompter.
    static void install(Prompter* prompter);
};

// Shows real message boxes.
class MessageBoxPrompter : public Prompter {
public:
    QMessageBox::StandardButton ask(QWidget* parent, const QString& text, const QString& caption,
                                    QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                    QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton askTimed(QWidget* parent, const QString& text, const QString& caption,
                                         QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                         QMessageBox::StandardButton unanswered, int milliseconds) override;
};

// The program's name as the librarian sees it, the caption of messages that name none.
QString programCaption();

// A message with an OK button.
void showMessage(QWidget* parent, const QString& text, const QString& caption = programCaption());
// A question; returns the button pressed. Enter presses `defaultButton` (see Prompter::ask).
QMessageBox::StandardButton askQuestion(QWidget* parent, const QString& text, const QString& caption,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
