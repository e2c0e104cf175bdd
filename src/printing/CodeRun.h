#pragma once

#include <QString>
#include <QStringList>

// A run of made-up codes for labels or cards: the first code as typed, then each next code
// counted up by the program's one numbering rule (its trailing digits, of any length), while
// the count lasts and the digits keep their width ("QX9" ends the run: "QX10" is longer).
namespace CodeRun {
constexpr int kMaxCount = 10000;

struct Result {
    QStringList codes;
    QString refusal;  // the message when nothing could be made
};

// The count is read like a typed whole number; a count below 2 gives the first code alone.
Result Make(const QString& firstCode, const QString& countText);
}
