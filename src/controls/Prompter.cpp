#include "controls/Prompter.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {
Prompter* g_installed = nullptr;

// Window managers set the caption in a bold title font, often larger than the text's, beside
// an icon and three buttons. Qt sizes a box for the caption in the text font and 50 pixels
// more, so a short message had its caption cut ("图书… 统").
constexpr double kTitleFontScale = 1.25;
constexpr int kTitleBarRoom = 160;

QFont titleFont(const QMessageBox& box)
{
    QFont title = box.font();
    title.setBold(true);
    if (title.pointSizeF() > 0)
        title.setPointSizeF(title.pointSizeF() * kTitleFontScale);
    else
        title.setPixelSize(static_cast<int>(title.pixelSize() * kTitleFontScale));
    return title;
}

// The title as the window system shows it: an empty caption shows the program's name.
QString shownTitle(const QString& caption)
{
    return caption.isEmpty() ? QCoreApplication::applicationName() : caption;
}

void makeRoomForCaption(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int screenWidth = box.screen() ? box.screen()->availableGeometry().width() : 1024;
    const int caption = QFontMetrics(titleFont(box)).horizontalAdvance(shownTitle(box.windowTitle()));
    const int wanted = std::min(caption + kTitleBarRoom, screenWidth);
    const QMargins margins = grid->contentsMargins();
    grid->addItem(new QSpacerItem(wanted - margins.left() - margins.right(), 0), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

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
    makeRoomForCaption(box);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return answer(box, parent);
}

QMessageBox::StandardButton MessageBoxPrompter::askTimed(QWidget* parent, const QString& text, const QString& caption,
                                                         QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                                         QMessageBox::StandardButton unanswered, int milliseconds)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    makeRoomForCaption(box);
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
