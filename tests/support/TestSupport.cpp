#include "support/TestSupport.h"

#include "controls/ReportListCtrl.h"
#include "controls/Resources.h"
#include "db/AppState.h"
#include "sheets/ExcelFile.h"
#include "sheets/SpreadsheetFile.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <unistd.h>

QMessageBox::StandardButton ScriptedPrompter::ask(QWidget*, const QString& text, const QString& caption,
                                                  QMessageBox::StandardButtons buttons, QMessageBox::Icon,
                                                  QMessageBox::StandardButton defaultButton)
{
    messages.append({text, caption, buttons, 0, defaultButton});
    if (!answers.isEmpty())
        return answers.dequeue();
    if (buttons & QMessageBox::Ok)
        return QMessageBox::Ok;
    return (buttons & QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
}

QMessageBox::StandardButton ScriptedPrompter::askTimed(QWidget*, const QString& text, const QString& caption,
                                                       QMessageBox::StandardButtons buttons, QMessageBox::Icon,
                                                       QMessageBox::StandardButton unanswered, int milliseconds)
{
    messages.append({text, caption, buttons, milliseconds, unanswered});
    return answers.isEmpty() ? unanswered : answers.dequeue();
}

QStringList ScriptedPrompter::texts() const
{
    QStringList all;
    for (const Message& m : messages)
        all << m.text;
    return all;
}

QString ScriptedFileChooser::openFile(QWidget*, const QString&, const QString& folder, const QString&)
{
    proposals << folder;
    return answers.isEmpty() ? QString() : answers.dequeue();
}

QString ScriptedFileChooser::saveFile(QWidget*, const QString&, const QString& proposedPath, const QString& filter)
{
    proposals << proposedPath;
    saveFilters << filter;
    return answers.isEmpty() ? QString() : answers.dequeue();
}

QString ScriptedFileChooser::folder(QWidget*, const QString&, const QString& folder)
{
    proposals << folder;
    return answers.isEmpty() ? QString() : answers.dequeue();
}

ScriptedSeams::ScriptedSeams(const QDateTime& now) : clock(now)
{
    initResources();
    Prompter::install(&prompter);
    FileChooser::install(&chooser);
    Clock::install(&clock);
}

ScriptedSeams::~ScriptedSeams()
{
    Prompter::install(nullptr);
    FileChooser::install(nullptr);
    Clock::install(nullptr);
}

bool copyTemplateDatabase(const QString& target)
{
    QFile::remove(target);
    return QFile::copy(QStringLiteral(SCHOOLLIB_TEMPLATE_DB), target)
        && QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

TestProgramFolder::TestProgramFolder() : m_previous(QDir::currentPath())
{
    QDir root(m_dir.path());
    m_ready = m_dir.isValid() && root.mkpath(QStringLiteral("Database/bak")) && root.mkpath(QStringLiteral("data"))
        && copyTemplateDatabase(databasePath()) && QDir::setCurrent(m_dir.path());
    CAppState& app = theApp();
    app.m_strAppPath = m_dir.path();
    app.m_strOperator = QStringLiteral("超级用户");
    m_ready = m_ready && app.m_ado.Connect(CAdoConn::LocalDatabasePath());
}

TestProgramFolder::~TestProgramFolder()
{
    theApp().m_ado.ExitConnect();
    QDir::setCurrent(m_previous);
}

QString TestProgramFolder::databasePath() const { return m_dir.filePath(QStringLiteral("Database/book.db")); }

QString fixtureRunFolder(const char* variable)
{
    return qEnvironmentVariable(variable) + QStringLiteral("/run-") + QString::number(getppid());
}

int fixturePort(const char* variable)
{
    QFile file(fixtureRunFolder(variable) + QStringLiteral("/port"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toInt() : 0;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

Rows listRows(const CReportListCtrl* list)
{
    Rows rows;
    for (int row = 0; row < list->GetItemCount(); ++row)
        rows << list->GetRowTexts(row);
    return rows;
}

QStringList listColumn(const CReportListCtrl* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->GetItemCount(); ++row)
        texts << list->GetItemText(row, column);
    return texts;
}

Rows fileRows(const QString& path, const QString& sheet)
{
    Workbook book;
    QString error;
    const bool first = sheet.isEmpty() && readSpreadsheet(path, QLatin1Char(','), &book, &error) && !book.empty();
    CExcelFile file(path, first ? book.front().sheetName : sheet);
    Rows rows;
    QStringList cells;
    while (file.ReadRow(cells))
        rows << cells;
    return rows;
}

void searchFor(QWidget* page, const QString& keyword)
{
    page->findChild<QLineEdit*>(QStringLiteral("m_editSearch"))->setText(keyword);
    for (const char* name : {"m_btnSearch", "m_btnQuery"})
        if (auto* button = page->findChild<QPushButton*>(QLatin1String(name)))
            return button->click();
}

void doubleClick(QWidget* widget)
{
    QWidget* window = widget->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, widget->rect().center()));
}

void failOn(const QString& when)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("create temp trigger fail %1 begin select raise(abort, 'disk full'); end").arg(when)));
}
