#include "controls/FileChooser.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
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

    // The imports read .xlsx workbooks behind a filter of .xls: the open dialog lists them in
    // any case under the window's own caption. Where a filter of .xlsx is offered, each filter
    // lists what it names.
    void openDialogListsWorkbooks_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("xls") << QStringLiteral("Excel文件(*.xls)")
                             << QStringList{"a.xls", "b.xlsx", "c.XLSX", "d.XLS"};
        QTest::newRow("xls beside xlsx") << QStringLiteral("Excel2003 Files (*.xls);;Excel2007 Files (*.xlsx)")
                                         << QStringList{"a.xls", "d.XLS"};
        QTest::newRow("no workbook") << QStringLiteral("ISO文件(*.iso)") << QStringList{"e.iso"};
    }

    void openDialogListsWorkbooks()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, listed);
        QTemporaryDir folder;
        for (const char* name : {"a.xls", "b.xlsx", "c.XLSX", "d.XLS", "e.iso", "f.txt", "g.xlsm"}) {
            QFile file(folder.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList shown;
        QString caption;
        QTimer driver;
        connect(&driver, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            const QModelIndex root = view->rootIndex();
            QStringList names;
            for (int row = 0; row < view->model()->rowCount(root); ++row)
                names << view->model()->index(row, 0, root).data().toString();
            names.sort();
            // The folder is read in the background: the listing stands when it stops changing.
            if (names.isEmpty() || names != shown) {
                shown = names;
                return;
            }
            caption = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
            dialog->reject();
        });
        driver.start(50);
        QCOMPARE(DialogFileChooser().openFile(nullptr, QStringLiteral("打开"), folder.path(), filter), QString());
        QCOMPARE(shown, listed);
        QCOMPARE(caption, filter.section(QStringLiteral(";;"), 0, 0));
    }
};

QTEST_MAIN(TestFileChooser)
#include "test_file_chooser.moc"
