#pragma once

#include "circulation/CountsUploader.h"
#include "circulation/LendingService.h"
#include "controls/EnterKeyFilter.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class CBookLendPage;
}

// The circulation desk: find a reader, find copies in stock, lend them, take them back.
// A scanned reader number or barcode ends with Enter; after each lend or return the focus
// goes back to the field the next scan goes into.
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
    void ShowReader(const std::optional<ReaderCard>& reader);
    void RefreshReader();
    void FillBookList(const QList<BookCopy>& copies);
    void FillLentList();
    bool LendBook(const BookCopy& copy);
    void ReturnBook(const QString& bookNumber);
    void LendSelected();
    BookCopy CopyOfRow(int row) const;
    bool HasReader();
    LendingService Service() const;

    std::unique_ptr<Ui::CBookLendPage> ui;
    EnterKeyFilter m_enterKeys{this};
    ReaderCard m_reader;
    CountsUploader m_uploader;
};
