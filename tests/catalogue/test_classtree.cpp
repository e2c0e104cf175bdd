#include "ClassPicking.h"

#include "catalogue/ClassTree.h"
#include "catalogue/FindClassNoDlg.h"
#include "controls/ButtonIcons.h"
#include "core/TextCodec.h"
#include "support/TestSupport.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
// The tree as "text(children...)" for compact comparisons.
QString outline(const QList<ClassNode>& nodes)
{
    QStringList parts;
    for (const ClassNode& node : nodes)
        parts << (node.children.isEmpty() ? node.text : node.text + QLatin1Char('(') + outline(node.children) + QLatin1Char(')'));
    return parts.join(QLatin1Char(' '));
}

QString wen(int count) { return QString(count, QChar(0x6587)); }

QImage picture(const QIcon& icon, QIcon::Mode mode) { return icon.pixmap(16, mode).toImage(); }
}

class TestClassTree : public QObject {
    Q_OBJECT
private slots:
    void depthRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("tree");
        QTest::newRow("four levels deep") << QByteArray("A\n\tB\n\t\tC\n\t\t\tD\n\t\t\t\tE\n") << "A(B(C(D(E))))";
        QTest::newRow("five tabs skipped, the next line hangs as before")
            << QByteArray("A\n\tB\n\t\tC\n\t\t\tD\n\t\t\t\t\tX\n\t\t\t\tE\n\tF\n") << "A(B(C(D(E))) F)";
        QTest::newRow("tabs anywhere count") << QByteArray("A\nB\t*x\n\tC\n\tD\t\n") << "A(B\t*x C(D))";
        // A blank line is a node without text, and the lines under it hang from it.
        QTest::newRow("crlf, blanks and blank lines") << QByteArray("  A*x \r\n\r\n\t B*y\r\n") << "A*x (B*y)";
        QTest::newRow("no parent goes to the root") << QByteArray("\t\tA\nB\n\t\tC\n\tD\n") << "A B(D) C";
        QTest::newRow("nearest parent above, past a shallower line") << QByteArray("A\n\tB\nC\n\t\tD\n\tE\n")
                                                                      << "A(B(D)) C(E)";
        QTest::newRow("deeper after a shallower line") << QByteArray("A\n\tB\n\t\tC\n\tD\n\t\t\tE\n")
                                                       << "A(B(C(E)) D)";
        QTest::newRow("a line at the root takes children") << QByteArray("\t\tA\n\t\t\tB\n") << "A(B)";
        QTest::newRow("gbk") << toGbk(QStringLiteral("I*文学\n\tI2*中国文学\n")) << QStringLiteral("I*文学(I2*中国文学)");
        QTest::newRow("utf-8") << QStringLiteral("I*文学\n\tI2*中国文学\n").toUtf8() << QStringLiteral("I*文学(I2*中国文学)");
        // Reads take 254 bytes at most: 254 characters and the line end are two pieces.
        QTest::newRow("254 bytes, then the line end alone")
            << QByteArray(254, 'x') + "\n\tC\n" << QString(254, QLatin1Char('x')) + QStringLiteral(" (C)");
        QTest::newRow("253 bytes and the line end are one piece")
            << QByteArray(253, 'x') + "\n\tC\n" << QString(253, QLatin1Char('x')) + QStringLiteral("(C)");
        // 2 + 126 x 2 bytes fill a piece; the rest of the line is the next node.
        QTest::newRow("long gbk line in pieces")
            << toGbk(QStringLiteral("A*") + wen(200) + QStringLiteral("\n\tC\n")) << QStringLiteral("A*") + wen(126) + QLatin1Char(' ') + wen(74) + QStringLiteral("(C)");
        // 3 + 125 x 2 = 253 bytes; a whole 126th character would pass 254.
        QTest::newRow("no gbk character cut in two")
            << toGbk(QStringLiteral("AB*") + wen(200) + QStringLiteral("\n\tC\n")) << QStringLiteral("AB*") + wen(125) + QLatin1Char(' ') + wen(75) + QStringLiteral("(C)");
        // 3 + 83 x 3 = 252 bytes; a whole 84th character would pass 254.
        QTest::newRow("no character cut in two")
            << (QStringLiteral("AB*") + wen(100) + QStringLiteral("\n\tC\n")).toUtf8() << QStringLiteral("AB*") + wen(83) + QLatin1Char(' ') + wen(17) + QStringLiteral("(C)");
    }
    void depthRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, tree);
        QCOMPARE(outline(parseClassTree(file)), tree);
    }

    void classNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("number");
        QTest::newRow("plain") << "A1*马克思著作" << "A1";
        QTest::newRow("blanks on the left go, before the star stay") << " \tA1 *马克思著作" << "A1 ";
        QTest::newRow("no star") << "马克思著作" << "";
        QTest::newRow("empty") << "" << "";
    }
    void classNumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, number);
        QCOMPARE(classNumberOf(text), number);
    }

    // A double click anywhere in the tree ends the picker with the selected node, on the
    // tree's empty part as well.
    void doubleClickTakesTheSelectedNode()
    {
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        writeClassTree(QStringLiteral("A*马列主义\n\tA1*马克思著作\n"));
        CFindClassNoDlg picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* tree = child<QTreeWidget>(&picker, "m_treeClass");
        tree->expandAll();
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        const QPoint below(10, tree->viewport()->height() - 3);
        QVERIFY(!tree->itemAt(below));
        QTest::mouseDClick(picker.windowHandle(), Qt::LeftButton, {}, tree->viewport()->mapTo(&picker, below));
        QTRY_COMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(picker.m_strClassNo, QStringLiteral("A1"));
    }

    // The tree a new program folder receives is written in GBK, as the picker's file is.
    void shippedTreeIsGbk()
    {
        QFile file(QStringLiteral(SCHOOLLIB_SOURCE_DIR "/share/tree.dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!isValidUtf8(bytes));
        QCOMPARE(toGbk(fromGbk(bytes)), bytes);
        const QList<ClassNode> tree = parseClassTree(bytes);
        QVERIFY(!tree.isEmpty());
        QCOMPARE(tree[0].text, QStringLiteral("A*马克思主义、列宁主义、毛泽东思想、邓小平理论"));
        QCOMPARE(tree[0].children.value(0).text, QStringLiteral("A1*马克思、恩格斯著作"));
    }

    // Every node shows icon 213, and 214 while it is selected.
    void pickerShowsLampsAndReturnsTheNumber()
    {
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        writeClassTree(QStringLiteral("A*马列主义\n\tA1*马克思著作\n"));
        CFindClassNoDlg picker;
        auto* tree = child<QTreeWidget>(&picker, "m_treeClass");
        QTreeWidgetItem* node = tree->topLevelItem(0)->child(0);
        QCOMPARE(picture(node->icon(0), QIcon::Normal), picture(resourceIcon(213), QIcon::Normal));
        QCOMPARE(picture(node->icon(0), QIcon::Selected), picture(resourceIcon(214), QIcon::Normal));
        tree->setCurrentItem(node);
        child<QPushButton>(&picker, "m_btnOK")->click();
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(picker.m_strClassNo, QStringLiteral("A1"));
    }
};

QTEST_MAIN(TestClassTree)
#include "test_classtree.moc"
