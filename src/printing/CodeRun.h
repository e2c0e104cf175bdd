#pragma once

#include <QString>
#include <QStringList>

// A run of made-up codes for labels or cards: the first code as typed, then the letters of the
// first code (every character that is not a digit, joined in their order) followed by the
// following numbers of its digits (all its digits, joined), zero-padded to as many digits,
// while the count lasts and the numbers keep that width: "QX9" ends the run at once, "A12B"
// runs on as AB13, AB14.
namespace CodeRun {
// A longer run is refused: a count near the top of the int range would otherwise fill memory.
constexpr int kMaxCount = 10000;

struct Result {
    QStringList codes;
    QString refusal;  // the message when nothing could be made
};

// The count is the typed text's whole number (0 when it is none); a count below 2 gives the
// first code alone.
Result Make(const QString& firstCode, const QString& countText);
}
