#pragma once

#include <QStringList>

class QLabel;

// A label whose text changes while its window is open takes, from the start, the room of the
// widest text it will show, as a static of a dialog template does: as long as its texts are no
// wider, neither the label nor the controls beside it move or change size when its text
// changes, only when the window is resized.
void reserveLabelWidth(QLabel* label, const QStringList& widestTexts);
