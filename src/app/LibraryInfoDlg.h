#pragma once

#include "app/LibraryInfo.h"
#include "controls/EnterKeyFilter.h"

#include <QDialog>

namespace Ui {
class CLibraryInfoDlg;
}

// Shows the library's information read-only; 修改信息 unlocks the fields and turns into
// 保存信息, which writes them and renames the main window. Enter presses the button that has
// the focus; in a field it moves on, so that it never closes the window over unsaved typing.
class CLibraryInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLibraryInfoDlg(QWidget* parent = nullptr);
    ~CLibraryInfoDlg() override;

private slots:
    void OnModify();

private:
    void OnInitDialog();
    void setEditing(bool editing);
    void OnSave();
    void UpdateData(bool saveAndValidate);

    Ui::CLibraryInfoDlg* ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    LibraryInfo m_info;
};
