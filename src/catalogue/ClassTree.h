#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One classification of the tree file; its text is "number*name".
struct ClassNode {
    QString text;
    QList<ClassNode> children;
};

// Reads the classification tree file: one node a line, in pre-order, its depth the number
// of tabs in the line (0 to 4; deeper lines are skipped). A node hangs under the nearest
// line above it that is one level shallower; a line with no such line above it goes to the
// root. The bytes may be UTF-8 or GBK; lines may be of any length.
QList<ClassNode> parseClassTree(const QByteArray& bytes);
// The classification number of a node's text: the part before the first '*', empty when
// there is none.
QString classNumberOf(const QString& nodeText);
