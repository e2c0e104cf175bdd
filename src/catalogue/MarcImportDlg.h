#pragma once

#include "catalogue/MarcImport.h"
#include "controls/EnterKeyFilter.h"

#include <QDialog>

namespace Ui {
class CMarcImportDlg;
}

// Lists the book records of MARC files, then stores the listed rows as new copies or
// writes them to a spreadsheet.
class CMarcImportDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMarcImportDlg(QWidget* parent = nullptr);
    ~CMarcImportDlg() override;

private slots:
    void OnOpenMarcFile();
    void OnSaveToDatabase();
    void OnExportExcel();

private:
    void OnInitDialog();
    QList<QStringList> listedRows() const;

    Ui::CMarcImportDlg* ui;
    MarcImport m_import;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
