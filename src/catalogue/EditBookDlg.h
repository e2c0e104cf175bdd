#pragma once

#include "catalogue/BookStore.h"

#include <QDialog>

namespace Ui {
class CEditBookDlg;
}

// Finds copies by title or number and lets them be changed in place in the list; a changed
// row is saved over the copy it was loaded from. 保存 starts disabled and nothing enables it.
class CEditBookDlg : public QDialog {
    Q_OBJECT
public:
    explicit CEditBookDlg(QWidget* parent = nullptr);
    ~CEditBookDlg() override;

private slots:
    void OnFind();
    void OnSave();

private:
    void OnInitDialog();
    void FillList(CAdoRecordset& rs);

    Ui::CEditBookDlg* ui;
    CBookStore m_store;
};
