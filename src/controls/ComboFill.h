#pragma once

#include <QStringList>

class QComboBox;

// Combo boxes whose entries come from a table, sorted as librarians expect (pinyin).

// Fills the combo; the entry at `selected` is shown, none when there is no such entry.
void fillSortedCombo(QComboBox* combo, QStringList entries, int selected);
// Fills it again after a window changed the table: the text shown stays when it is still an
// entry, or typed into an editable combo; else the first entry is shown.
void refillSortedCombo(QComboBox* combo, QStringList entries);
// The entries the combo holds, in its order.
QStringList comboEntries(const QComboBox* combo);
