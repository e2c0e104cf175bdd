#pragma once

#include "circulation/LendingService.h"
#include "controls/EnterKeyFilter.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

namespace Ui {
class CLoanLossDlg;
}

// What a reader's-loss window shows and what it does with the chosen loan.
struct LoanLossWindow {
    QString caption;
    QString actionText;
    QString headings;
    // The list columns holding the item's number and the reader's number.
    int numberColumn = 0;
    int readerColumn = 2;
    QString copyMissing;       // said when the catalogue no longer holds the item
    // The reader's loans, one text a column; throws DbError.
    std::function<QList<QStringList>(const QString& readerNumber)> loans;
    // Records the loss of the loan of `number` by the reader; throws DbError.
    std::function<LendingService::Outcome(const QString& number, const QString& readerNumber)> reportLost;
};

// A window whose list and loss go through the lending service over these tables (one of
// LoanTables' own, which last as long as the program; loans
// listed as number, title, reader number and name, dates, price, operator); the texts are
// left to the caller.
LoanLossWindow loanLossThrough(const LoanTables& tables);

// A reader lost an item he borrowed: the librarian finds the reader, chooses the loan and
// records the loss; the loan ends and the reader's count drops.
class CLoanLossDlg : public QDialog {
    Q_OBJECT
public:
    CLoanLossDlg(LoanLossWindow config, QWidget* parent);
    ~CLoanLossDlg() override;

private slots:
    void OnFind();
    void OnReportLoss();

private:
    void OnInitDialog();
    void OnClickLoanList();
    void FillLoanList();

    const LoanLossWindow m_config;
    std::unique_ptr<Ui::CLoanLossDlg> ui;
    // The reader of the last search, whose loans the list shows.
    QString m_strKey;
    EnterKeyFilter m_enterKeys{this};
};
