#include "controls/Prompter.h"

#include <QTimer>

namespace {
Prompter* g_installed = nullptr;
}

Prompter& Prompter::instance()
{
    static MessageBoxPrompter boxes;
    return g_installed ? *g_installed : boxes;
}

void Prompter::install(Prompter* prompter) { g_installed = prompter; }

QMessageBox::StandardButton MessageBoxPrompter::ask(QWidget* parent, const QString& text, const QString& caption,
                                                    QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBoxPrompter::flash(QWidget* parent, const QString& text, const QString& caption, int milliseconds)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    QTimer::singleShot(milliseconds, &box, &QMessageBox::accept);
    box.exec();
}

QString programCaption() { return QStringLiteral("图书管理系统"); }

void showMessage(QWidget* parent, const QString& text, const QString& caption)
{
    Prompter::instance().ask(parent, text, caption, QMessageBox::Ok, QMessageBox::Information);
}

QMessageBox::StandardButton askQuestion(QWidget* parent, const QString& text, const QString& caption,
                                        QMessageBox::StandardButtons buttons)
{
    return Prompter::instance().ask(parent, text, caption, buttons, QMessageBox::Question);
}
