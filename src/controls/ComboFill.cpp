#include "controls/ComboFill.h"

#include "core/Collation.h"

#include <QComboBox>

void fillSortedCombo(QComboBox* combo, QStringList entries, int selected)
{
    collateSort(entries);
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(selected < combo->count() ? selected : -1);
}

void refillSortedCombo(QComboBox* combo, QStringList entries)
{
    const QString shown = combo->currentText();
    fillSortedCombo(combo, entries, 0);
    const int kept = combo->findText(shown);
    if (kept >= 0)
        combo->setCurrentIndex(kept);
    else if (combo->isEditable() && !shown.isEmpty())
        combo->setEditText(shown);
}

QStringList comboEntries(const QComboBox* combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}
