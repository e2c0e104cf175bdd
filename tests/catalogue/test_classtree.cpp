#include "catalogue/ClassNumber.h"
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

const QStringList kTypes{QStringLiteral("A马克思主义"), QStringLiteral("I文学"), QStringLiteral("TP自动化技术"),
                         QStringLiteral("K历史、地理"), QStringLiteral("Z综合性图书")};
}

class TestClassTree : public QObject {
    Q_OBJECT
private slots:
    void depthRules_data();
    void depthRules();
    void gbkAndUtf8Files();
    void veryLongLineIsOneNode();
    void shippedTreeHasTheBasicClasses();
    void classNumber_data();
    void classNumber();
    void bookTypeFromClassNo_data();
    void bookTypeFromClassNo();
};

void TestClassTree::depthRules_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("tree");
    QTest::newRow("child") << "A*马列\n\tA1*马恩著作\n" << "A*马列(A1*马恩著作)";
    QTest::newRow("four levels deep")
        << "A\n\tB\n\t\tC\n\t\t\tD\n\t\t\t\tE\n" << "A(B(C(D(E))))";
    QTest::newRow("five tabs skipped, the next line hangs as before")
        << "A\n\tB\n\t\tC\n\t\t\tD\n\t\t\t\t\tX\n\t\t\t\tE\n\tF\n" << "A(B(C(D(E))) F)";
    QTest::newRow("tabs anywhere count") << "A\nB\t*x\n\tC\n\tD\t\n" << "A(B\t*x C(D))";
    QTest::newRow("crlf, blanks and empty lines") << "  A*甲 \r\n\r\n\t B*乙\r\n" << "A*甲(B*乙)";
    QTest::newRow("no parent goes to the root") << "\t\tA\nB\n\t\tC\n\tD\n" << "A B(D) C";
    QTest::newRow("stale parent not reused") << "A\n\tB\nC\n\t\tD\n\tE\n" << "A(B) C(E) D";
}

void TestClassTree::depthRules()
{
    QFETCH(QString, file);
    QFETCH(QString, tree);
    QCOMPARE(outline(parseClassTree(file.toUtf8())), tree);
}

void TestClassTree::gbkAndUtf8Files()
{
    const QString text = QStringLiteral("I*文学\n\tI2*中国文学\n");
    QCOMPARE(outline(parseClassTree(toGbk(text))), QStringLiteral("I*文学(I2*中国文学)"));
    QCOMPARE(outline(parseClassTree(text.toUtf8())), QStringLiteral("I*文学(I2*中国文学)"));
}

void TestClassTree::veryLongLineIsOneNode()
{
    const QString name = QString(2000, QChar(0x6587));
    const QList<ClassNode> tree = parseClassTree(toGbk(QStringLiteral("I*") + name + QStringLiteral("\n\tI2*x\n")));
    QCOMPARE(tree.size(), 1);
    QCOMPARE(tree[0].text.size(), 2002);
    QCOMPARE(tree[0].children.size(), 1);
}

void TestClassTree::shippedTreeHasTheBasicClasses()
{
    QFile file(QStringLiteral(SCHOOLLIB_SHARE_DIR "/tree.dat"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<ClassNode> tree = parseClassTree(file.readAll());
    QCOMPARE(tree.size(), 22);
    QCOMPARE(classNumberOf(tree[8].text), QStringLiteral("I"));
    QCOMPARE(classNumberOf(tree[8].children[2].children[4].text), QStringLiteral("I24"));
    for (const ClassNode& root : tree)
        for (const ClassNode& child : root.children)
            QVERIFY2(classNumberOf(child.text).startsWith(classNumberOf(root.text)), qPrintable(child.text));
}

void TestClassTree::classNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("number");
    QTest::newRow("number") << "A1*马克思、恩格斯著作" << "A1";
    QTest::newRow("no star") << "马克思" << "";
    QTest::newRow("first star") << "I247.5*小说*新" << "I247.5";
}

void TestClassTree::classNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, number);
    QCOMPARE(classNumberOf(text), number);
}

void TestClassTree::bookTypeFromClassNo_data()
{
    QTest::addColumn<QString>("classNo");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("containing");
    QTest::addColumn<QString>("starting");
    QTest::newRow("I247.5") << "I247.5" << "I" << "I文学" << "";
    QTest::newRow("TP311") << "TP311" << "TP" << "TP自动化技术" << "TP自动化技术";
    QTest::newRow("K09") << "K09" << "K0" << "Z综合性图书" << "";
    QTest::newRow("K9") << "K9" << "K" << "K历史、地理" << "";
    QTest::newRow("one letter") << "Z" << "Z" << "Z综合性图书" << "";
}

void TestClassTree::bookTypeFromClassNo()
{
    QFETCH(QString, classNo);
    QFETCH(QString, key);
    QFETCH(QString, containing);
    QFETCH(QString, starting);
    QCOMPARE(classKey(classNo), key);
    QCOMPARE(typeContainingKey(kTypes, key), containing);
    QCOMPARE(typeStartingWithKey(kTypes, key), starting);
}

QTEST_MAIN(TestClassTree)
#include "test_classtree.moc"
