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
    // A short message leaves room for its whole title as a window manager sets it: the
    // caption alone, bold, a quarter larger than the text, beside an icon and three title
    // buttons. The lending window's timed box is one of them.
    void boxHoldsItsTitle_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("timed");
        QTest::newRow("the program's name") << QStringLiteral("图书管理系统") << false;
        QTest::newRow("a longer caption") << QStringLiteral("删除记录——读者借阅证信息") << false;
        QTest::newRow("timed") << QStringLiteral("提示") << true;
        QTest::newRow("warning") << QStringLiteral("警告！") << false;
    }

    void boxHoldsItsTitle()
    {
        QFETCH(QString, caption);
        QFETCH(bool, timed);
        int width = 0;
        QString title;
        QFont titleFont;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                width = box->width();
                title = box->windowTitle();
                titleFont = box->font();
                box->accept();
            }
        });
        const QString text = QStringLiteral("没有这本书的信息！");
        if (timed)
            Prompter::instance().askTimed(nullptr, text, caption, QMessageBox::Ok, QMessageBox::Information,
                                          QMessageBox::Ok, 60000);
        else
            showMessage(nullptr, text, caption);
        QCOMPARE(title, caption);
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
