#pragma once

#include "circulation/ReaderPanel.h"
#include "controls/EnterKeyFilter.h"
#include "controls/PageDialog.h"

#include <memory>

namespace Ui {
class CReserveLendPage;
}
struct Reservation;

// Turns reservations into loans: a reader, the reservations (his, searched or all) and his
// loans; a reserved book is lent to the reader whose reservation it is. The lending window
// builds this page but keeps it hidden; a command runs it as a window of its own.
class CReserveLendPage : public CPageDialog {
    Q_OBJECT
public:
    explicit CReserveLendPage(QWidget* parent = nullptr);
    ~CReserveLendPage() override;

private slots:
    void OnReaderQuery();
    void OnReserveQuery();
    void OnLendAll();
    void OnDblclkReserveList();
    void OnRclickReserveList(const QPoint& position);

private:
    void OnInitDialog();
    void FillReserveList(const QList<Reservation>& rows);
    void FillLentList();
    void Refresh();
    void FillReaderLists();
    // Whether the row is the shown reader's; says so when it is not (also with no reader).
    bool BelongsToShownReader(int row);
    // Lends the row's reservation to the shown reader; a refusal or failure is said.
    void LendReserved(int row);
    void OnClearReservations();

    std::unique_ptr<Ui::CReserveLendPage> ui;
    EnterKeyFilter m_enterKeys{this};
    ReaderPanel m_reader{this, "m_edit", "m_editBookKey"};
};
