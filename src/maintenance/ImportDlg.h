#pragma once

#include "controls/EnterKeyFilter.h"
#include "maintenance/ImportSpec.h"

#include <QDialog>

#include <memory>

class CImportJob;
class QPushButton;
class QThread;
namespace Ui {
class CImportDlg;
}

// What sets the five import windows apart besides their import.
struct ImportWindowSpec {
    ImportSpec::Target target;
    QString title;
    QString headings;
    QList<int> shownFields;  // of the table's fields, in the list's column order
    int rowLimit = 500;
    bool asksOverwrite = false;
    bool importIsDefault = false;  // Enter imports
    QString emptyPathText;
    QString successText;
    QString browseFilter;
    // The import button's icon resource on a skinned button; 0 for a plain button.
    int importIcon = 0;
};

// An import window: the librarian chooses a spreadsheet file, says whether it replaces the
// table (where that is offered) and imports it on a worker thread while a bar runs. The
// window cannot close and imports nothing more while the job runs; when it ends, the list
// shows the table's first rows, or the failure is told and neither the list nor the count
// of an earlier import is left standing beside it.
class CImportDlg : public QDialog {
    Q_OBJECT
public:
    CImportDlg(ImportWindowSpec spec, QWidget* parent);
    ~CImportDlg() override;

    bool IsImporting() const { return m_thread != nullptr; }
    void done(int result) override;

private slots:
    void OnBrowse();
    void OnImport();

private:
    void OnInitDialog();
    void OnProgress(int value, int maximum);
    void OnImportDone(bool done, int stored, const QString& message);
    void FillList();

    std::unique_ptr<Ui::CImportDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    ImportWindowSpec m_spec;
    QPushButton* m_btnImport = nullptr;
    QString m_strPath;
    std::unique_ptr<CImportJob> m_job;
    std::unique_ptr<QThread> m_thread;
};

class CImportReaderDlg : public CImportDlg {
    Q_OBJECT
public:
    explicit CImportReaderDlg(QWidget* parent = nullptr);
};

class CImportLendDlg : public CImportDlg {
    Q_OBJECT
public:
    explicit CImportLendDlg(QWidget* parent = nullptr);
};

class CImportLendHistoryDlg : public CImportDlg {
    Q_OBJECT
public:
    explicit CImportLendHistoryDlg(QWidget* parent = nullptr);
};

class CImportBookDlg : public CImportDlg {
    Q_OBJECT
public:
    explicit CImportBookDlg(QWidget* parent = nullptr);
};

class CImportPeriodicalDlg : public CImportDlg {
    Q_OBJECT
public:
    explicit CImportPeriodicalDlg(QWidget* parent = nullptr);
};
