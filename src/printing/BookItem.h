#pragma once

#include <QString>
#include <QStringList>

// A book as the book print windows list it: the seven columns of both lists.
struct BookItem {
    QString number;   // 图书编号
    QString classNo;  // 分类号
    QString type;     // 图书类别
    QString copy;     // 复本号
    QString title;    // 书名
    QString shelf;    // 书架名称
    QString entered;  // 入库时间

    // The headings of both lists.
    static QString Headings();
    // Missing texts are empty.
    static BookItem FromTexts(const QStringList& texts);
    QStringList Texts() const;
};
