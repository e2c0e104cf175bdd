#pragma once

#include "catalogue/BookStore.h"
#include "controls/EnterKeyFilter.h"

#include <QDialog>

class IsbnLookup;
class PagedList;
class QComboBox;

namespace Ui {
class CBookAddDlg;
}

// The window in which books enter the catalogue: a form for one copy (or several copies
// numbered in a row), and the stored copies, 100 a page, that can be loaded back, changed
// and deleted.
class CBookAddDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBookAddDlg(QWidget* parent = nullptr);
    ~CBookAddDlg() override;

private slots:
    void OnAdd();
    void OnEdit();
    void OnSave();
    void OnCancelEdit();
    void OnDelete();
    void OnIncBookNo();
    void OnCalcCopyNo();
    void OnFindClassNo();
    void OnClassNoChange();
    void OnCalculator();
    void OnShelfSettings();
    void OnSearchLocal();
    void LoadSelectedBook();
    void ShowLocalPage(int page);
    void OnIsbnSearch();
    void OnSearchDone(int ended);
    void FillFormFromResults();
    void OnResultDblClk();

public slots:
    // 退出, the close box and Esc: while a lookup runs, only after the librarian agrees.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void InsertBooks();
    void DeleteSelectedBook();
    void MatchBookType();
    QString ComputeCopyNo();
    void SetEditMode(bool editing);
    void SearchFor(const QString& text);
    BookValues GetFields() const;
    void SetFields(const BookValues& values);
    void ShowEntryDateAsStored();
    void AddResultRow(const QStringList& row);
    void CopyResultRow(const QStringList& row);

    Ui::CBookAddDlg* ui;
    CBookStore m_store;
    RecordsetPtr m_pRecordset;
    PagedList* m_paging;
    EnterKeyFilter m_enterKeys{this};
    IsbnLookup* m_lookup;
    QString m_strSummary;  // the review service's summary, for 内容简介
};
