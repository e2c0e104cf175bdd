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
        // The focus coming back with the window (after a message) is a visit like any other,
        // so that the next scan never lands behind the text that found nothing. A context
        // menu of the edit leaves its focus where it is.
        const bool focusIn = event->type() == QEvent::FocusIn;
        if ((focusIn || event->type() == QEvent::FocusOut)
            && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            if (focusIn)
                edit->clear();
            else if (edit->text().isEmpty())
                edit->setText(SearchText::allText());
        }
    }
    return QObject::eventFilter(watched, event);
}
