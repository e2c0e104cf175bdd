#pragma once

#include <QString>
#include <QStringList>

// What to ask before printing codes that will not scan: codes that cannot be encoded (their
// labels show the text without bars) and symbols that leave less than a quiet zone of 10
// modules before the next label's symbol (or the card's edge). Neighbouring symbols share
// the blank between them, so one quiet zone a symbol is what a label's pitch must hold: no
// symbol starts left of its own label (one wider than its cell starts at the label's
// corner), so one that fits the pitch with its quiet zone leaves that blank before the next.
namespace PrintCheck {
constexpr int kQuietModules = 10;

QStringList Unencodable(const QStringList& codes);
// Codes whose symbol with its quiet zone is wider than pitch page pixels. A module of one page
// pixel prints as whole dots of a printer whose resolution is known only in the print
// dialog: at 200 dpi and more that is at most 1.2 pixels (2 dots at 203 dpi, 3 at 300), and
// the symbol is measured so.
QStringList TooWide(const QStringList& codes, int pitch);
// The question, ending in "仍然打印吗？"; empty when every code will scan. A pitch of 0
// leaves the width alone.
QString Question(const QStringList& codes, int pitch);
}
