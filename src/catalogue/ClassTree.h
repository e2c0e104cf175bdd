#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One classification of the tree file; its text is "number*name".
struct ClassNode {
    QString text;
    QList<ClassNode> children;
};

// Reads the classification tree file as the picker reads it: a line is read in pieces of at
// most 254 bytes (its line end included, CR LF counting as one), so a longer line goes on in
// further pieces, and a piece ends before a character that would not fit whole. Each piece
// is a node, a blank one too, its text the piece without white space at either end and its
// depth the number of tabs anywhere in the piece (0 to 4; deeper pieces are skipped). A node
// hangs under the latest node one level shallower, past shallower nodes between them; a
// node with no such node before it goes to the root. The bytes are UTF-8 when they all are,
// else GBK.
QList<ClassNode> parseClassTree(const QByteArray& bytes);
// The classification number of a node's text: after any white space on its left, the part
// before the first '*'; empty when there is no '*'.
QString classNumberOf(const QString& nodeText);
