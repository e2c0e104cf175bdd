#pragma once

#include "catalogue/FindClassNoDlg.h"
#include "core/TextCodec.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

// Writes the text as the program folder's classification tree, in GBK.
inline void writeClassTree(const QString& text)
{
    QVERIFY(QDir().mkpath(QStringLiteral("data")));
    QFile file(QStringLiteral("data/tree.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(toGbk(text)), toGbk(text).size());
}

// Writes a classification tree whose one node is the text, then clicks the window's button
// that opens the picker and takes that node in it, as a cataloguer would.
inline void pickClassNode(QWidget& window, const char* button, const QString& node)
{
    writeClassTree(QStringLiteral("X*根\n\t%1\n").arg(node));
    QTimer::singleShot(0, [node] {
        auto* picker = qobject_cast<CFindClassNoDlg*>(QApplication::activeModalWidget());
        QVERIFY(picker);
        auto* tree = picker->findChild<QTreeWidget*>(QStringLiteral("m_treeClass"));
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QCOMPARE(tree->currentItem()->text(0), node);
        picker->findChild<QAbstractButton*>(QStringLiteral("m_btnOK"))->click();
    });
    window.findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
}
