#pragma once

#include <QString>

class QPainter;
struct LogFont;

// One barcode label: the caption centred on a line at the top, under it the code as a
// Code 128 set B symbol with the code written under the bars, both centred in the label.
class CBarcodePainter {
public:
    static constexpr int kBarTop = 45;     // page pixels below the label's top
    static constexpr int kBarHeight = 40;

    // (x, y) is the label's corner and width its width, in page pixels; sx, sy are device
    // units per page pixel.
    static void DrawCode128(QPainter& painter, const QString& caption, const LogFont& font, const QString& code, int x,
                            int y, int width, double sx, double sy);
};
