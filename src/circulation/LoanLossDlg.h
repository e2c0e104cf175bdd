#pragma once

#include "circulation/LendingService.h"
#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CLoanLossDlg;
}

// What a reader's-loss window shows, and the tables (one of LoanTables' own, which last as
// long as the program) its loans and losses go through.
struct LoanLossWindow {
    const LoanTables* tables = nullptr;
    // A radio button "借书卡号" that nothing reads captions the reader edit, in place of the
    // label "输入读者编号:".
    bool readerRadio = false;
    // Enter presses the default button "查找" (or the button that has the focus), instead of
    // searching from the reader edit and moving the focus on from anywhere else.
    bool enterPressesDefault = false;
    QString caption;
    QString actionText;
    QString headings;
    // After a loss the reader edit shows again the reader whose loans the list shows, over
    // whatever was typed there since; else it keeps what was typed.
    bool editShowsListedReader = false;
    int findIcon = 0;          // icon resources of "查找" and the action button; 0: no picture
    int actionIcon = 0;
};

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
    LendingService Service() const;

    const LoanLossWindow m_config;
    std::unique_ptr<Ui::CLoanLossDlg> ui;
    // The reader of the last search, whose loans the list shows.
    QString m_strKey;
    std::unique_ptr<EnterKeyFilter> m_enterKeys;
};
