#pragma once

#include "controls/EnterKeyFilter.h"
#include "controls/PageDialog.h"
#include "remote/SchoolFigures.h"

#include <memory>

namespace Ui {
class CUnitInfoUploadDlg;
}

// The school's basic figures, filled in by the librarian (the counts from the catalogue to
// start with) and written into its row of the remote table1.
class CUnitInfoUploadDlg : public CPageDialog {
    Q_OBJECT
public:
    explicit CUnitInfoUploadDlg(QWidget* parent = nullptr);
    ~CUnitInfoUploadDlg() override;

    // The unit name from setup.ini again and the report date set to today. No control of the
    // window offers it.
    void OnRefreshUnitDate();

private slots:
    void OnConnect();
    void OnUpload();

private:
    void OnInitDialog();
    void FillFigures();
    QString QueryCount(const QString& sql);
    UnitFigures Figures() const;
    void SetBusy(bool busy);

    std::unique_ptr<Ui::CUnitInfoUploadDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
