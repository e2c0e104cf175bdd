#pragma once

#include "controls/EnterKeyFilter.h"
#include "periodicals/PeriodicalStore.h"

#include <QDialog>

#include <memory>

class PeriodicalStockPages;

namespace Ui {
class CPeriodicalAddDlg;
}

// The window in which periodical issue copies are registered: a form for one copy, saved
// as a new copy or over the stored copy of that number, and the stored copies, 50 a page,
// that can be loaded back into the form and deleted.
class CPeriodicalAddDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPeriodicalAddDlg(QWidget* parent = nullptr);
    ~CPeriodicalAddDlg() override;

private slots:
    void OnSave();
    void OnDelete();
    void OnClear();
    void OnFindClassNo();
    void OnCalcCopyNo();
    void OnIncPeriodicalNo();
    void OnSearch();
    void OnDblclkList();

private:
    void OnInitDialog();
    void FillCombos();
    bool Store(const PeriodicalValues& values);
    PeriodicalValues GetFields() const;
    void SetFields(const PeriodicalValues& values);

    std::unique_ptr<Ui::CPeriodicalAddDlg> ui;
    PeriodicalStore m_store;
    PeriodicalStockPages* m_pages;
    EnterKeyFilter m_enterKeys{this};
};
