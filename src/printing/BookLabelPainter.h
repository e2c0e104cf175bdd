#pragma once

#include "printing/LogFont.h"

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

// One spine label as the spine label page hands it to the painter.
struct LabelItem {
    QRect rcCell;        // the label cell in page pixels
    QString strHeading;  // the layout's heading, drawn by 模板二 only
    QString strUpper;    // the upper line, composed by the label style
    QString strLower;    // the lower line
    LogFont logFont;     // its height is in page pixels
    QColor crText;       // colour of the texts and of the rule
};

// Draws spine labels into a page whose white the caller has already filled, at sx, sy
// device units per page pixel. 模板一: the upper and the lower line with a rule between
// them. 模板二: heading, upper and lower line in overlapping bands, each text on its own white
// box, so that a later line covers what it overlaps of an earlier one.
class CBookLabelPainter {
public:
    void DrawTemplate1(QPainter& painter, const LabelItem& item, double sx, double sy) const;
    void DrawTemplate2(QPainter& painter, const LabelItem& item, double sx, double sy) const;
};
