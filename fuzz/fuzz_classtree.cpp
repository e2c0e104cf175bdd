// Any bytes as the classification tree file: every node is one piece of a line, so no node
// holds a line end, the tree is at most five levels deep and has no more nodes than bytes.
#include "catalogue/ClassTree.h"

#include <cstdint>
#include <cstdlib>

namespace {
qsizetype checkedNodes(const QList<ClassNode>& nodes, int level)
{
    if (level > 5 && !nodes.isEmpty())
        abort();
    qsizetype count = 0;
    for (const ClassNode& node : nodes) {
        if (node.text.contains(QLatin1Char('\n')) || classNumberOf(node.text).contains(QLatin1Char('*')))
            abort();
        count += 1 + checkedNodes(node.children, level + 1);
    }
    return count;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (checkedNodes(parseClassTree(bytes), 1) > bytes.size())
        abort();
    return 0;
}
