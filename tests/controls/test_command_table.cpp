#include "controls/CommandTable.h"
#include "db/AdoRecordset.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <stdexcept>

namespace {
constexpr int kCommand = 40001;

// A window whose construction fails the way a window's first query can.
class FailingWindow : public QDialog {
public:
    explicit FailingWindow(const QString& how)
    {
        if (how == "database")
            throw DbError(QStringLiteral("no such table: bkinfo"));
        if (how == "standard")
            throw std::runtime_error("out of memory");
        throw 42;
    }
};
}

class TestCommandTable : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        CommandTable::instance().remove(kCommand);
        CommandTable::instance().setRunner(nullptr);
    }

    // The window opens over the main window: centred on it and tied to it, so it is
    // minimised with it and never hides behind it.
    void windowOpensOverItsOwner()
    {
        QWidget owner;
        owner.setGeometry(60, 40, 500, 400);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        CommandTable::instance().add(kCommand, [] {
            auto window = std::make_unique<QDialog>();
            window->resize(200, 100);
            return window;
        });
        QPoint centre;
        QWidget* parent = nullptr;
        QWindow* transientParent = nullptr;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(window);
            centre = window->frameGeometry().center();
            parent = window->parentWidget();
            transientParent = window->windowHandle()->transientParent();
            modal = window->isModal();
            window->reject();
        });
        QVERIFY(CommandTable::instance().run(kCommand, &owner));
        QCOMPARE(parent, &owner);
        QCOMPARE(transientParent, owner.windowHandle());
        QVERIFY(modal);
        QVERIFY2((centre - owner.frameGeometry().center()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
        QVERIFY(owner.findChildren<QDialog*>().isEmpty());
    }

    void windowKeepsItsOwnFrame()
    {
        QWidget owner;
        CommandTable::instance().add(kCommand, [] {
            auto window = std::make_unique<QDialog>();
            window->setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
            return window;
        });
        Qt::WindowFlags flags;
        CommandTable::instance().setRunner([&](QDialog& window) {
            QCOMPARE(window.parentWidget(), &owner);
            QVERIFY(window.isWindow());
            flags = window.windowFlags();
        });
        QVERIFY(CommandTable::instance().run(kCommand, &owner));
        QVERIFY(flags.testFlag(Qt::WindowMinMaxButtonsHint));
    }

    // A window that fails while it is built is reported, and the program goes on.
    void failingWindowIsReported_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("database error") << "database";
        QTest::newRow("standard exception") << "standard";
        QTest::newRow("anything thrown") << "other";
    }

    void failingWindowIsReported()
    {
        QFETCH(QString, how);
        ScriptedSeams seams;
        CommandTable::instance().add(kCommand, [how] { return std::unique_ptr<QDialog>(new FailingWindow(how)); });
        bool ran = false;
        CommandTable::instance().setRunner([&](QDialog&) { ran = true; });
        QWidget owner;
        QVERIFY(!CommandTable::instance().run(kCommand, &owner));
        QVERIFY(!ran);
        QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("操作失败")});
        QCOMPARE(seams.prompter.messages[0].caption, QStringLiteral("图书管理系统"));
        QVERIFY(!CommandTable::instance().run(kCommand + 1, &owner));
        QCOMPARE(seams.prompter.messages.size(), 1);
    }
};

QTEST_MAIN(TestCommandTable)
#include "test_command_table.moc"
