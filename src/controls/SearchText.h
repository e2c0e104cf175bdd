#pragma once

#include <QString>

// The text of a search edit: "(全部)" means no filter, an empty text is refused.
namespace SearchText {

// "(全部)".
QString allText();
// "请输入用查询信息！".
QString emptyRefusal();

struct Filter {
    bool accepted = false;  // false: the edit was empty and the search is refused
    QString text;           // the filter; empty = every row
};

// What "(全部)" typed into an edit means: every row, or the text itself where the edit
// never shows it.
enum class AllText { EveryRow, Typed };

// The text as typed, blanks included: only an empty text is refused.
Filter read(const QString& editText, AllText all = AllText::EveryRow);

}
