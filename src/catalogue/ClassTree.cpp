#include "catalogue/ClassTree.h"

#include "core/TextCodec.h"

#include <array>

namespace {
constexpr int kLevels = 5;

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
    // The path of the latest node of each depth, and whether there was one yet. A node hangs
    // under the latest node one level up, even when a shallower line came in between.
    std::array<QList<int>, kLevels> latest;
    std::array<bool, kLevels> known{};
    for (const QString& line : decodeText(bytes).split(QLatin1Char('\n'))) {
        const int depth = static_cast<int>(line.count(QLatin1Char('\t')));
        const QString text = line.trimmed();
        if (depth >= kLevels || text.isEmpty())
            continue;
        // A line with no line of the depth above it anywhere before goes to the root.
        QList<int> path = depth > 0 && known[depth - 1] ? latest[depth - 1] : QList<int>();
        QList<ClassNode>& siblings = childrenAt(roots, path);
        siblings.append(ClassNode{text, {}});
        path.append(static_cast<int>(siblings.size()) - 1);
        latest[depth] = path;
        known[depth] = true;
    }
    return roots;
}

QString classNumberOf(const QString& nodeText)
{
    const qsizetype star = nodeText.indexOf(QLatin1Char('*'));
    return star < 0 ? QString() : nodeText.left(star).trimmed();
}
