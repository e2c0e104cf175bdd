#include "catalogue/ClassTree.h"

#include "core/TextCodec.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace {
constexpr int kLevels = 5;
// What one read of the tree file takes at most, its line end included.
constexpr qsizetype kPieceBytes = 254;

// The bytes of the character that starts at `at`, never past the end.
qsizetype charLength(const QByteArray& bytes, qsizetype at, bool utf8)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    qsizetype length = 1;
    if (utf8)
        length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    else if (lead >= 0x81 && lead <= 0xFE && at + 1 < bytes.size() && static_cast<unsigned char>(bytes[at + 1]) >= 0x40)
        length = 2;
    return std::min(length, bytes.size() - at);
}

// The file cut as it is read: each piece runs to its line end, or stops where the next
// whole character would pass the piece's size.
QStringList readPieces(const QByteArray& file)
{
    QByteArray bytes = withoutUtf8Bom(file).toByteArray();
    bytes.replace("\r\n", "\n");
    const bool utf8 = isValidUtf8(bytes);
    QStringList pieces;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = start;
        while (end < bytes.size()) {
            const bool lineEnd = bytes[end] == '\n';
            const qsizetype next = end + charLength(bytes, end, utf8);
            if (next - start > kPieceBytes)
                break;
            end = next;
            if (lineEnd)
                break;
        }
        const QByteArray piece = bytes.mid(start, end - start);
        pieces << (utf8 ? QString::fromUtf8(piece) : fromGbk(piece));
        start = end;
    }
    return pieces;
}

// Each node is reached through its path of child indexes, since the lists reallocate.
QList<ClassNode>& childrenAt(QList<ClassNode>& roots, const QList<int>& path)
{
    QList<ClassNode>* level = &roots;
    for (int index : path)
        level = &(*level)[index].children;
    return *level;
}
}

QList<ClassNode> parseClassTree(const QByteArray& bytes)
{
    QList<ClassNode> roots;
    // The path of the latest node of each depth, and whether there was one yet.
    std::array<QList<int>, kLevels> latest;
    std::array<bool, kLevels> known{};
    for (const QString& piece : readPieces(bytes)) {
        const int depth = static_cast<int>(piece.count(QLatin1Char('\t')));
        if (depth >= kLevels)
            continue;
        QList<int> path = depth > 0 && known[depth - 1] ? latest[depth - 1] : QList<int>();
        QList<ClassNode>& siblings = childrenAt(roots, path);
        siblings.append(ClassNode{piece.trimmed(), {}});
        path.append(static_cast<int>(siblings.size()) - 1);
        latest[depth] = path;
        known[depth] = true;
    }
    return roots;
}

QString classNumberOf(const QString& nodeText)
{
    qsizetype start = 0;
    while (start < nodeText.size() && nodeText[start].isSpace())
        ++start;
    const qsizetype star = nodeText.indexOf(QLatin1Char('*'), start);
    return star < 0 ? QString() : nodeText.mid(start, star - start);
}
