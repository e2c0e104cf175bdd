#pragma once

#include "printing/BarcodeLabelPages.h"
#include "printing/BookItem.h"
#include "printing/PrintList.h"
#include "printing/TwoListPrintDlg.h"

// "打印图书编号条码": barcode labels of the book numbers of books found in the catalogue, in
// the layout of "data/txm.dat".
class CBookBarcodePrintDlg : public CTwoListPrintDlg {
    Q_OBJECT
public:
    explicit CBookBarcodePrintDlg(QWidget* parent = nullptr);

protected:
    int ItemsPerPage() const override { return m_labels.CodesPerPage(); }
    std::vector<QStringList> Search(const QString& filter, const QString& column) override;
    QString NothingFoundText() const override;
    void OnSetting() override;
    void PrintListChanged() override;
    bool ConfirmPrint() override;
    // A double click anywhere in the window zooms the preview, as a click on it does.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ItemList<BookItem> m_books;
    BarcodeLabelPages m_labels;
};
