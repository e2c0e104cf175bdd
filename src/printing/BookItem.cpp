#include "printing/BookItem.h"

QString BookItem::Headings()
{
    return QStringLiteral("图书编号,100;分类号,90;图书类别,90;复本号,80;书名,100;书架名称,120;入库时间,120");
}

BookItem BookItem::FromTexts(const QStringList& texts)
{
    return {texts.value(0), texts.value(1), texts.value(2), texts.value(3),
            texts.value(4), texts.value(5), texts.value(6)};
}

QStringList BookItem::Texts() const { return {number, classNo, type, copy, title, shelf, entered}; }
