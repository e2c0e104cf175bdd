#pragma once

#include "printing/CodeRunPrintDlg.h"
#include "printing/CustomCardPages.h"

// "自定义借阅证打印": reader cards for a run of made-up card numbers, five to a page. The
// card geometry lasts while the window is open; the title is kept in setup.ini.
class CCustomCardPrintDlg : public CCodeRunPrintDlg {
    Q_OBJECT
public:
    explicit CCustomCardPrintDlg(QWidget* parent = nullptr);

protected:
    void OnSetting() override;

private:
    CustomCardPages m_cards;
};
