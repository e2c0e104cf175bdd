#include "catalogue/ClassTree.h"
#include "core/TextCodec.h"

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
}

class TestClassTree : public QObject {
    Q_OBJECT
private slots:
    void depthRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("tree");
        const QString longName = QStringLiteral("I*") + QString(2000, QChar(0x6587));
        QTest::newRow("four levels deep") << QByteArray("A\n\tB\n\t\tC\n\t\t\tD\n\t\t\t\tE\n") << "A(B(C(D(E))))";
        QTest::newRow("five tabs skipped, the next line hangs as before")
            << QByteArray("A\n\tB\n\t\tC\n\t\t\tD\n\t\t\t\t\tX\n\t\t\t\tE\n\tF\n") << "A(B(C(D(E))) F)";
        QTest::newRow("tabs anywhere count") << QByteArray("A\nB\t*x\n\tC\n\tD\t\n") << "A(B\t*x C(D))";
        QTest::newRow("crlf, blanks and empty lines") << QByteArray("  A*x \r\n\r\n\t B*y\r\n") << "A*x(B*y)";
        QTest::newRow("no parent goes to the root") << QByteArray("\t\tA\nB\n\t\tC\n\tD\n") << "A B(D) C";
        QTest::newRow("nearest parent above, past a shallower line") << QByteArray("A\n\tB\nC\n\t\tD\n\tE\n")
                                                                      << "A(B(D)) C(E)";
        QTest::newRow("deeper after a shallower line") << QByteArray("A\n\tB\n\t\tC\n\tD\n\t\t\tE\n")
                                                       << "A(B(C(E)) D)";
        QTest::newRow("a line at the root takes children") << QByteArray("\t\tA\n\t\t\tB\n") << "A(B)";
        QTest::newRow("gbk") << toGbk(QStringLiteral("I*文学\n\tI2*中国文学\n")) << QStringLiteral("I*文学(I2*中国文学)");
        QTest::newRow("utf-8") << QStringLiteral("I*文学\n\tI2*中国文学\n").toUtf8() << QStringLiteral("I*文学(I2*中国文学)");
        QTest::newRow("very long line is one node") << toGbk(longName + QStringLiteral("\n\tI2*x\n")) << longName + QStringLiteral("(I2*x)");
    }
    void depthRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, tree);
        QCOMPARE(outline(parseClassTree(file)), tree);
    }
};

QTEST_MAIN(TestClassTree)
#include "test_classtree.moc"
