#include "printing/OpeningMessage.h"

#include "controls/Prompter.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {
class OpeningMessage : public QObject {
public:
    OpeningMessage(QWidget* window, const QString& message) : QObject(window), m_window(window), m_message(message)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Show) {
            QTimer::singleShot(0, m_window, [window = m_window, message = m_message] { showMessage(window, message); });
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_window;
    QString m_message;
};
}

void showWhenShown(QWidget* window, const QString& message) { new OpeningMessage(window, message); }
