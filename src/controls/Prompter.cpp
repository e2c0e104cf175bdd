#include "controls/Prompter.h"

#include <QTimer>

namespace {
Prompter* g_installed = nullptr;

// Answers the box, then gives the keyboard back to the window that asked: without a window
// manager nobody else does, and the next scan would type into nothing.
QMessageBox::StandardButton answer(QMessageBox& box, QWidget* parent)
{
    const auto button = static_cast<QMessageBox::StandardButton>(box.exec());
    if (parent)
        parent->window()->activateWindow();
    return button;
}
}

Prompter& Prompter::instance()
{
    static MessageBoxPrompter boxes;
    return g_installed ? *g_installed : boxes;
}

void Prompter::install(Prompter* prompter) { g_installed = prompter; }

QMessageBox::StandardButton MessageBoxPrompter::ask(QWidget* parent, const QString& text, const QString& caption,
                                                    QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                                    QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return answer(box, parent);
}

QMessageBox::StandardButton MessageBoxPrompter::askTimed(QWidget* parent, const QString& text, const QString& caption,
                                                         QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                                         QMessageBox::StandardButton unanswered, int milliseconds)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    // Enter, often the next scan's end, answers as the timer would.
    box.setDefaultButton(unanswered);
    QTimer::singleShot(milliseconds, &box, [&box, unanswered] { box.done(unanswered); });
    return answer(box, parent);
}

QString programCaption() { return QStringLiteral("图书管理系统"); }

void showMessage(QWidget* parent, const QString& text, const QString& caption)
{
    Prompter::instance().ask(parent, text, caption, QMessageBox::Ok, QMessageBox::Information, QMessageBox::NoButton);
}

QMessageBox::StandardButton askQuestion(QWidget* parent, const QString& text, const QString& caption,
                                        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return Prompter::instance().ask(parent, text, caption, buttons, QMessageBox::Question, defaultButton);
}
