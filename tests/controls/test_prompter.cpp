#include "controls/Prompter.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

// The message-box prompter as the librarian meets it: Enter answers the question's default
// button, so that a question whose Yes destroys something can make Enter harmless.
class TestPrompter : public QObject {
    Q_OBJECT

    // The answer of a real box to Enter, pressed as soon as the box is up.
    static QMessageBox::StandardButton enterAnswer(QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton)
    {
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Return);
        });
        return askQuestion(nullptr, QStringLiteral("确定吗？"), QStringLiteral("警告！"), buttons, defaultButton);
    }

private slots:
    // A short message leaves room for its whole caption as a window manager sets it: bold,
    // a quarter larger than the text, beside an icon and three title buttons.
    void boxHoldsItsCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("the program's name") << QStringLiteral("图书管理系统");
        QTest::newRow("a longer caption") << QStringLiteral("删除记录——读者借阅证信息");
    }

    void boxHoldsItsCaption()
    {
        QFETCH(QString, caption);
        int width = 0;
        QFont titleFont;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                width = box->width();
                titleFont = box->font();
                box->accept();
            }
        });
        showMessage(nullptr, QStringLiteral("保存成功！"), caption);
        titleFont.setBold(true);
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
        const int needed = QFontMetrics(titleFont).horizontalAdvance(caption) + 24 + 3 * 32 + 20;
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
    }

    void enterAnswersTheDefault_data()
    {
        QTest::addColumn<QMessageBox::StandardButtons>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        const QMessageBox::StandardButtons yesNo = QMessageBox::Yes | QMessageBox::No;
        const QMessageBox::StandardButtons okCancel = QMessageBox::Ok | QMessageBox::Cancel;
        QTest::newRow("no default: the box takes Yes") << yesNo << QMessageBox::NoButton << QMessageBox::Yes;
        QTest::newRow("default No") << yesNo << QMessageBox::No << QMessageBox::No;
        QTest::newRow("default Cancel") << okCancel << QMessageBox::Cancel << QMessageBox::Cancel;
        QTest::newRow("three buttons, default No")
            << (yesNo | QMessageBox::Cancel) << QMessageBox::No << QMessageBox::No;
    }

    void enterAnswersTheDefault()
    {
        QFETCH(QMessageBox::StandardButtons, buttons);
        QFETCH(QMessageBox::StandardButton, defaultButton);
        QFETCH(QMessageBox::StandardButton, answer);
        QCOMPARE(enterAnswer(buttons, defaultButton), answer);
    }
};

QTEST_MAIN(TestPrompter)
#include "test_prompter.moc"
