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
