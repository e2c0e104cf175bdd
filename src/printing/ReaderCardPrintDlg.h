#pragma once

#include "printing/PrintList.h"
#include "printing/ReaderCardPages.h"
#include "printing/TwoListPrintDlg.h"

// "打印图书借阅证": reader cards of readers found in the register, five to a page. The card
// geometry and title set in "设置" last while the window is open.
class CReaderCardPrintDlg : public CTwoListPrintDlg {
    Q_OBJECT
public:
    explicit CReaderCardPrintDlg(QWidget* parent = nullptr);

protected:
    int ItemsPerPage() const override { return CardPage::kCardsPerPage; }
    std::vector<QStringList> Search(const QString& filter, const QString& column) override;
    QString NothingFoundText() const override;
    void OnSetting() override;
    bool ConfirmPrint() override;

private:
    ItemList<CardReaderInfo> m_readers;
    ReaderCardPages m_cards{m_readers.Items()};
};
