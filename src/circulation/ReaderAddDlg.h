#pragma once

#include "controls/EnterKeyFilter.h"
#include "db/AdoRecordset.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CReaderAddDlg;
}
class PagedList;
struct ReaderForm;

// The reader register: add, edit, save and delete readers, with a searchable paged list.
class CReaderAddDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReaderAddDlg(QWidget* parent = nullptr);
    ~CReaderAddDlg() override;

private slots:
    void OnSelchangeType();
    void OnNextNumber();
    void OnSearch();
    void OnAdd();
    void OnEdit();
    void OnCancelEdit();
    void OnSave();
    void OnDelete();
    void OnReaderTypes();
    void OnDepartments();
    void OnDblclkList();

private:
    void OnInitDialog();
    void ResetForm();
    void FillPage();
    void ShowAllReaders();
    void SetEditState(bool editing);
    ReaderForm Form() const;
    bool CheckRequired(const ReaderForm& form);
    // Shows the type's loan period and limit; false when there is no such type.
    bool ShowTypeTerms(const QString& typeName);

    std::unique_ptr<Ui::CReaderAddDlg> ui;
    EnterKeyFilter m_enterKeys{this};
    PagedList* m_paging = nullptr;
    RecordsetPtr m_pRecordset;
};
