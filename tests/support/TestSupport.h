#pragma once

#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "core/Clock.h"

#include <QDir>
#include <QList>
#include <QObject>
#include <QQueue>
#include <QTemporaryDir>

// Records every message and answers questions from a queue. With the queue empty it
// answers Ok where offered, else Cancel, else No; a timed question is left to its time.
class ScriptedPrompter : public Prompter {
public:
    struct Message {
        QString text;
        QString caption;
        QMessageBox::StandardButtons buttons;
        int closesAfterMs = 0;  // a timed question: when it answers itself
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;  // what Enter would answer
    };

    QMessageBox::StandardButton ask(QWidget* parent, const QString& text, const QString& caption,
                                    QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                    QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton askTimed(QWidget* parent, const QString& text, const QString& caption,
                                         QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                         QMessageBox::StandardButton unanswered, int milliseconds) override;

    QList<Message> messages;
    QQueue<QMessageBox::StandardButton> answers;
    QStringList texts() const;
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
};

// Answers file and folder choices from a queue; an empty queue answers "cancelled".
class ScriptedFileChooser : public FileChooser {
public:
    QString openFile(QWidget* parent, const QString& caption, const QString& folder, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& caption, const QString& proposedPath, const QString& filter) override;
    QString folder(QWidget* parent, const QString& caption, const QString& folder) override;

    QQueue<QString> answers;
    QStringList proposals;  // the folder or path each call proposed
    QStringList saveFilters;  // the filter each save dialog offered
};

// Installs the scripted prompter, file chooser and a fixed clock for the life of the object.
class ScriptedSeams {
public:
    explicit ScriptedSeams(const QDateTime& now = QDateTime(QDate(2017, 4, 11), QTime(9, 30)));
    ~ScriptedSeams();

    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    FixedClock clock;
};

// A fresh program folder with a copy of the template database, made the current
// directory, with the application's connection open on it.
class TestProgramFolder {
public:
    TestProgramFolder();
    ~TestProgramFolder();

    bool isReady() const { return m_ready; }
    QString path() const { return m_dir.path(); }
    QString databasePath() const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
    bool m_ready = false;
};

// A window's child by object name; the test stops when it is missing, naming it.
template <typename T> T* child(const QObject* window, const QString& name)
{
    T* found = window->findChild<T*>(name);
    if (!found)
        qFatal("no widget %s", qPrintable(name));
    return found;
}
template <typename T> T* child(const QObject& window, const QString& name) { return child<T>(&window, name); }

// Makes every write of the kind named ("before insert on jieyueinfo") fail, as a full disk would.
void failOn(const QString& when);

// Copies the template database to the given file.
bool copyTemplateDatabase(const QString& target);

// What each test function of a window test starts from: scripted seams and a fresh
// program folder.
struct Workplace {
    ScriptedSeams seams;
    TestProgramFolder folder;
};

// The bytes of a file; "<missing>" when it cannot be read, so that a comparison tells a
// missing file from an empty one.
QByteArray fileBytes(const QString& path);
// Writes the bytes as the whole file; false when any of them was not written.
bool writeFile(const QString& path, const QByteArray& bytes);

class CReportListCtrl;

// Rows of texts, as a list shows them or a sheet holds them.
using Rows = QList<QStringList>;
// Every row of a report list, top to bottom.
Rows listRows(const CReportListCtrl* list);
// One column of a report list, top to bottom.
QStringList listColumn(const CReportListCtrl* list, int column = 0);
// Every row of a sheet of a spreadsheet file (the first sheet when none is named), header
// first, as the program reads it back.
Rows fileRows(const QString& path, const QString& sheet = QString());
// Types the keyword into a query page's search field and presses its search button.
void searchFor(QWidget* page, const QString& keyword);
// A double click in the middle of a shown widget as the window system reports it: two
// presses and releases in a row, which Qt turns into press, release, double click, release.
void doubleClick(QWidget* widget);

// The folder in which the test server of a CTest fixture keeps this run's files:
// "run-<id of the ctest process>" inside the fixture's folder, which the environment
// variable names. The fixture's start script and the test programs are children of the
// same ctest, so a test finds the server of its own run, never that of another run.
QString fixtureRunFolder(const char* variable);
// The port that the fixture's server took for this run; 0 when it wrote none.
int fixturePort(const char* variable);
