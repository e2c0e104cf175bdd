#pragma once

#include "printing/BookItem.h"
#include "printing/PrintList.h"
#include "printing/SpineLabelPages.h"
#include "printing/TwoListPrintDlg.h"

// "打印书标": spine labels of books found in the catalogue, in the layout of "data/font.dat"
// (or, without a readable file, the built-in grid that prints white pages).
class CBookLabelPrintDlg : public CTwoListPrintDlg {
    Q_OBJECT
public:
    explicit CBookLabelPrintDlg(QWidget* parent = nullptr);

protected:
    int ItemsPerPage() const override { return m_labels.LabelsPerPage(); }
    std::vector<QStringList> Search(const QString& filter, const QString& column) override;
    QString NothingFoundText() const override;
    void OnSetting() override;

private:
    ItemList<BookItem> m_books;
    SpineLabelPages m_labels{m_books.Items()};
};
