#include "controls/LabelWidth.h"

#include <QLabel>

void reserveLabelWidth(QLabel* label, const QStringList& widestTexts)
{
    const QString shown = label->text();
    QSize reserved = label->minimumSize();
    // The label measures each text as it lays it out, frame, margins and indent included.
    for (const QString& text : widestTexts) {
        label->setText(text);
        reserved = reserved.expandedTo(label->sizeHint());
    }
    label->setText(shown);
    // A layout sizes the label by the larger of its minimum and its text, so from now on by
    // the minimum alone; an empty label is as high as one with a line of text.
    label->setMinimumSize(reserved);
}
