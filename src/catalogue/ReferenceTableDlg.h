#pragma once

#include "catalogue/ReferenceTable.h"
#include "controls/EnterKeyFilter.h"

#include <QDialog>

namespace Ui {
class CReferenceTableDlg;
}

// What tells the three reference-table windows apart besides their table.
struct ReferenceWindowTexts {
    QString className;
    QString title;
    QString upperLabel;
    QString lowerLabel;
    QString headings;
    QString upperMissing;
    QString lowerMissing;  // empty: the lower field may stay empty
    QString failure;
    QString success;       // empty: nothing is said
    QString noSelection;
};

// A window over one reference table: its rows in a list, a row added from the two edits,
// the selected row deleted.
class CReferenceTableDlg : public QDialog {
    Q_OBJECT
public:
    ~CReferenceTableDlg() override;

protected:
    CReferenceTableDlg(const ReferenceTable& table, const ReferenceWindowTexts& texts, QWidget* parent);

private slots:
    void OnAdd();
    void OnDelete();

private:
    void OnInitDialog();
    void FillList();

    Ui::CReferenceTableDlg* ui;
    CReferenceStore m_store;
    const ReferenceWindowTexts& m_texts;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
