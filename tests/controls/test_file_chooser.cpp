#include "controls/FileChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The real save dialog, answered as a librarian would: a filter chosen, a name typed.
class TestFileChooser : public QObject {
    Q_OBJECT

private slots:
    void saveDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("answer");
        // The exports append behind a backup sheet or refuse an existing file themselves.
        QTest::newRow("an existing file: no replace question")
            << QStringLiteral("借阅信息分类汇总.xls") << QStringLiteral("Excel文件(*.xls)")
            << QStringLiteral("借阅信息分类汇总.xls");
        QTest::newRow("no extension: the chosen filter's")
            << QStringLiteral("图书信息模板") << QStringLiteral("Excel 2007文件(*.xlsx)")
            << QStringLiteral("图书信息模板.xlsx");
        QTest::newRow("an extension typed stays") << QStringLiteral("读者.csv") << QStringLiteral("Excel文件(*.xls)")
                                                  << QStringLiteral("读者.csv");
    }

    void saveDialog()
    {
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(QString, answer);
        QTemporaryDir folder;
        QFile existing(folder.filePath(QStringLiteral("借阅信息分类汇总.xls")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();

        bool chosen = false;
        bool asked = false;
        QTimer driver;
        connect(&driver, &QTimer::timeout, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                    asked = true;
                    return box->reject();
                }
            }
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                if (chosen)
                    return dialog->reject();
                chosen = true;
                dialog->selectNameFilter(filter);
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
        });
        driver.start(20);
        const QString path = DialogFileChooser().saveFile(
            nullptr, QStringLiteral("另存为"), folder.filePath(QStringLiteral("借阅信息分类汇总.xls")),
            QStringLiteral("Excel文件(*.xls);;Excel 2007文件(*.xlsx);;逗号分隔文本(*.csv)"));
        QVERIFY(!asked);
        QCOMPARE(path, folder.filePath(answer));
    }
};

QTEST_MAIN(TestFileChooser)
#include "test_file_chooser.moc"
