#pragma once

#include "controls/EnterKeyFilter.h"
#include "db/AdoRecordset.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CExportTemplateDlg;
}

// What sets the three template windows apart: the table of sample rows, the list, the
// fields written and the file proposed.
struct TemplateSpec {
    QString title;
    QString caption;
    QString sql;
    QString headings;
    QList<int> shownFields;
    int firstField = 0;
    int lastField = 0;
    QString emptyMessage;  // refuses an empty table with this text; empty: write the header only
    QString fileName;
    QString sheet;
};

// Shows the sample rows of an import template and writes them, under the header the
// import expects, to a spreadsheet file the librarian chooses.
class CExportTemplateDlg : public QDialog {
    Q_OBJECT
public:
    CExportTemplateDlg(TemplateSpec spec, QWidget* parent);
    ~CExportTemplateDlg() override;

private slots:
    void OnExportExcel();

private:
    void OnInitDialog();
    void FillList();

    std::unique_ptr<Ui::CExportTemplateDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    TemplateSpec m_spec;
    RecordsetPtr m_pRecordset;
};

class CExportReaderTemplateDlg : public CExportTemplateDlg {
    Q_OBJECT
public:
    explicit CExportReaderTemplateDlg(QWidget* parent = nullptr);
};

class CExportPeriodicalTemplateDlg : public CExportTemplateDlg {
    Q_OBJECT
public:
    explicit CExportPeriodicalTemplateDlg(QWidget* parent = nullptr);
};

class CExportBookTemplateDlg : public CExportTemplateDlg {
    Q_OBJECT
public:
    explicit CExportBookTemplateDlg(QWidget* parent = nullptr);
};
