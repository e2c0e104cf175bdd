#include "printing/SpineLabelStyle.h"

#include "printing/BookItem.h"
#include "printing/GbkText.h"

#include <array>

namespace SpineLabelStyle {
namespace {
constexpr int kTitleBytes = 10;

struct Style {
    const char16_t* name;
    const char16_t* upper;
    const char16_t* lower;
};

const std::array<Style, 10> kStyles = {{
    {u"样式一", u"分类号", u"复本号"},
    {u"样式二", u"图书类别:书名", u"复本号"},
    {u"样式三", u"图书名称", u"分类号/复本号"},
    {u"样式四", u"分类号", u"图书编号"},
    {u"样式五", u"图书编号", u"书架名称"},
    {u"样式六", u"图书名称", u"书架名称"},
    {u"样式七", u"分类号", u"书架名称"},
    {u"样式八", u"图书名称", u"分类号|书架名称"},
    {u"样式九", u"图书编号", u"分类号|书架名称"},
    {u"样式十", u"图书编号", u"分类号|复本号"},
}};

int indexOf(const QString& style)
{
    for (size_t i = 0; i < kStyles.size(); ++i)
        if (style == QString::fromUtf16(kStyles[i].name))
            return static_cast<int>(i);
    return -1;
}

// The class letter: a whole character, also where it is a Chinese one.
QString firstCharacter(const QString& text)
{
    if (text.isEmpty())
        return {};
    return text.left(text[0].isHighSurrogate() ? 2 : 1);
}

QString joined(const QString& a, QChar separator, const QString& b) { return a + separator + b; }
}

QStringList Names()
{
    QStringList names;
    for (const Style& style : kStyles)
        names << QString::fromUtf16(style.name);
    return names;
}

Lines Compose(const QString& style, const BookItem& book)
{
    const QString title = gbkLeft(book.title, kTitleBytes);
    switch (indexOf(style)) {
    case 0:
        return {book.classNo, book.copy};
    case 1:
        return {joined(firstCharacter(book.classNo), QLatin1Char(':'), title), book.copy};
    case 2:
        return {title, joined(book.classNo, QLatin1Char('/'), book.copy)};
    case 3:
        return {book.classNo, book.number};
    case 4:
        return {book.number, book.shelf};
    case 5:
        return {title, book.shelf};
    case 6:
        return {book.classNo, book.shelf};
    case 7:
        return {title, joined(book.classNo, QLatin1Char('|'), book.shelf)};
    case 8:
        return {book.number, joined(book.classNo, QLatin1Char('|'), book.shelf)};
    case 9:
        return {book.number, joined(book.classNo, QLatin1Char('|'), book.copy)};
    default:
        return {};
    }
}

Lines Descriptions(const QString& style)
{
    const int i = indexOf(style);
    if (i < 0)
        return {};
    return {QString::fromUtf16(kStyles[i].upper), QString::fromUtf16(kStyles[i].lower)};
}

}
