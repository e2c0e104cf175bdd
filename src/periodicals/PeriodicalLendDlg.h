#pragma once

#include "circulation/LendingService.h"
#include "circulation/ReaderPanel.h"
#include "controls/EnterKeyFilter.h"
#include "db/AdoRecordset.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CPeriodicalLendDlg;
}

// The periodical desk: find a reader, find periodicals (lent ones too, marked "已借"), lend
// the chosen one to the reader and take his loans back. Periodicals and books count
// against one loan limit.
class CPeriodicalLendDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPeriodicalLendDlg(QWidget* parent = nullptr);
    ~CPeriodicalLendDlg() override;

private slots:
    void OnFindReader();
    void OnSearch();
    void LendPeriodical();
    void ReturnPeriodical();

private:
    void OnInitDialog();
    void ShowLoans();
    void AddPeriodicalRows(const RecordsetPtr& rows);
    void AddPeriodicalRow(const QString& number);
    bool MayLend(int row);
    LendingService Service() const;

    std::unique_ptr<Ui::CPeriodicalLendDlg> ui;
    EnterKeyFilter m_enterKeys{this};
    ReaderPanel m_reader{this, "m_edt", "m_edtSearch", LoanTables::periodicals()};
};
