#include "controls/SearchEdit.h"

#include "controls/Prompter.h"
#include "controls/SearchText.h"

#include <QFocusEvent>
#include <QLineEdit>

SearchEdit::SearchEdit(QLineEdit* edit)
    : QObject(edit)
{
    edit->setText(SearchText::allText());
    edit->installEventFilter(this);
}

SearchEdit* SearchEdit::attach(QLineEdit* edit)
{
    return new SearchEdit(edit);
}

bool SearchEdit::takeFilter(QWidget* parent, const QLineEdit* edit, QString& filter, SearchText::AllText all)
{
    const SearchText::Filter read = SearchText::read(edit->text(), all);
    if (!read.accepted) {
        showMessage(parent, SearchText::emptyRefusal());
        return false;
    }
    filter = read.text;
    return true;
}

bool SearchEdit::eventFilter(QObject* watched, QEvent* event)
{
    // An edit being destroyed is a QLineEdit no more, yet still loses its focus.
    auto* edit = qobject_cast<QLineEdit*>(parent());
    if (edit && watched == edit) {
        // Coming back to the window (after a message) is no new visit of the edit.
        if (event->type() == QEvent::FocusIn
            && static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
            edit->clear();
        else if (event->type() == QEvent::FocusOut && edit->text().isEmpty())
            edit->setText(SearchText::allText());
    }
    return QObject::eventFilter(watched, event);
}
