#pragma once

#include <QPoint>

#include <functional>

class QPainter;

// Where the cards of a card page stand, in page pixels. Kept by the card windows while they
// are open; the font size is shown and edited but does not change the page.
struct CardPageGeometry {
    int left = 25;
    int top = 25;
    int fontSize = 90;
    int lineSpacing = 15;
    int columnSpacing = 20;
};

// A page of five cards, each front with its back beside it, with cut lines between them.
namespace CardPage {
constexpr int kCardsPerPage = 5;
constexpr int kCardWidth = 440;
constexpr int kCardHeight = 250;

// The room a barcode starting barcodeLeft from the card's left edge has before the edge.
constexpr int BarcodeRoom(int barcodeLeft) { return kCardWidth - barcodeLeft; }

// Fills the page white, draws the cut lines (they follow the left margin but not the top
// margin or the spacings) and calls drawCard for rows 0 to cards - 1 with the corners of
// the row's front and back in page pixels; a row whose corners lie out of any page's reach
// (LabelGrid::kReach) is left out.
void Draw(QPainter& painter, const CardPageGeometry& geometry, double sx, double sy, int cards,
          const std::function<void(int row, QPoint front, QPoint back)>& drawCard);
}
