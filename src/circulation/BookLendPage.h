#pragma once

#include "remote/CountsUploader.h"
#include "circulation/LendingService.h"
#include "circulation/ReaderPanel.h"
#include "controls/EnterKeyFilter.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CBookLendPage;
}

// The circulation desk: find a reader, find copies in stock, lend them, take them back.
// A scanned reader number or barcode ends with Enter; a reader shown sends the focus to the
// book search, and a return scanned into its field keeps the focus there for the next one.
class CBookLendPage : public QWidget {
    Q_OBJECT
public:
    explicit CBookLendPage(QWidget* parent = nullptr);
    ~CBookLendPage() override;

private slots:
    void OnReaderQuery();
    void OnBookQuery();
    void OnLendAll();
    void OnDblclkBookList();
    void OnRclickBookList(const QPoint& position);
    void OnReturnQuery();
    void OnDblclkLentList();
    void OnReturnAll();
    // The hidden switch of the counts upload.
    void OnUploadCheck(bool checked);
    void OnUploadStarted(bool connected);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void FillBookList(const QList<BookCopy>& copies);
    void FillLentList();
    void LendBook(BookCopy copy);
    void ReturnBook(const QString& bookNumber);
    void LendSelected();
    BookCopy CopyOfRow(int row) const;
    LendingService Service() const;

    std::unique_ptr<Ui::CBookLendPage> ui;
    EnterKeyFilter m_enterKeys{this};
    ReaderPanel m_reader{this, "m_edit", "m_editBookKey"};
    CountsUploader m_uploader;
};
