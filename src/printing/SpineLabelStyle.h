#pragma once

#include <QString>
#include <QStringList>

struct BookItem;

// The ten spine label styles: which of a book's texts stand on the label's upper and lower
// line.
namespace SpineLabelStyle {
struct Lines {
    QString upper;
    QString lower;
    bool operator==(const Lines&) const = default;
};

// "样式一" to "样式十".
QStringList Names();
// The label's lines in the style; both empty for a name that is no style. A 书名 is cut to
// 10 GBK bytes (five Chinese characters); 样式二 takes the first character of the 分类号.
Lines Compose(const QString& style, const BookItem& book);
// What the label settings show for the style's lines ("分类号", "图书名称" …).
Lines Descriptions(const QString& style);
}
