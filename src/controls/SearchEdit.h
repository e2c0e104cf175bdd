#pragma once

#include "controls/SearchText.h"

#include <QObject>

class QLineEdit;
class QWidget;

// Gives a query window's search edit its "(全部)" behaviour: it starts with "(全部)",
// gaining the focus empties it, also when the focus comes back with its window after a
// message box; losing the focus while empty puts "(全部)" back.
class SearchEdit : public QObject {
    Q_OBJECT
public:
    // The helper lives as long as the edit.
    static SearchEdit* attach(QLineEdit* edit);

    // The edit's filter (empty = every row); false after telling the user
    // "请输入用查询信息！" when the edit is empty.
    static bool takeFilter(QWidget* parent, const QLineEdit* edit, QString& filter,
                           SearchText::AllText all = SearchText::AllText::EveryRow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SearchEdit(QLineEdit* edit);
};
