#include "controls/SearchEdit.h"

#include "controls/Prompter.h"
#include "controls/SearchText.h"

#include <QEvent>
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

bool SearchEdit::takeFilter(QWidget* parent, const QLineEdit* edit, QString& filter)
{
    const SearchText::Filter read = SearchText::read(edit->text());
    if (!read.accepted) {
        showMessage(parent, SearchText::emptyRefusal());
        return false;
    }
    filter = read.text;
    return true;
}

bool SearchEdit::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = static_cast<QLineEdit*>(parent());
    if (watched == edit) {
        if (event->type() == QEvent::FocusIn)
            edit->clear();
        else if (event->type() == QEvent::FocusOut && edit->text().isEmpty())
            edit->setText(SearchText::allText());
    }
    return QObject::eventFilter(watched, event);
}
