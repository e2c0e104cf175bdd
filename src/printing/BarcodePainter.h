#pragma once

#include <QString>

class QPainter;
struct LogFont;

// One barcode label in a cell of 150 x 120 page pixels at the label's corner, whatever the
// label's size: the caption centred on a line at the top, under it the code as a Code 128
// set B symbol with the code written under the bars.
class CBarcodePainter {
public:
    static constexpr int kCellWidth = 150;
    static constexpr int kBarTop = 45;     // page pixels below the cell's top
    static constexpr int kBarHeight = 40;

    // (x, y) is the cell's corner in page pixels; sx, sy are device units per page pixel.
    // The symbol starts where a symbol of one-pixel modules is centred in the cell, or at the
    // cell's corner when that symbol is wider than the cell; modules of whole device dots may
    // make it wider, and it grows to the right, never left of its label.
    static void DrawCode128(QPainter& painter, const QString& caption, const LogFont& font, const QString& code, int x,
                            int y, double sx, double sy);
};
