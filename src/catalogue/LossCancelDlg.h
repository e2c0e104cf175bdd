#pragma once

#include "catalogue/StockLists.h"
#include "catalogue/StockMover.h"

#include <QDialog>
#include <QList>

#include <memory>

namespace Ui {
class CLossCancelDlg;
}

// What a loss-cancel window shows.
struct LossCancelWindow {
    const StockTables* tables = nullptr;
    QString caption;
    QString groupTitle;
    QString keyLabel;
    QString actionText;
    QString headings;
    QList<int> fields;        // fields of the loss row, one a column
    QString failure;          // shown when the copy cannot go back, ends in a line break
    QString success;          // shown after the copy went back; may be empty
};

// A lost copy was found: the window lists the loss table, each row with its ID, and puts
// the chosen row back into stock. Enter runs the query, the default button, except on another
// button, which it presses.
class CLossCancelDlg : public QDialog {
    Q_OBJECT
public:
    CLossCancelDlg(LossCancelWindow config, QWidget* parent);
    ~CLossCancelDlg() override;

private slots:
    void OnQuery();
    void OnUnloss();

private:
    void OnInitDialog();
    void FillLostList(const RecordsetPtr& rs);

    const LossCancelWindow m_config;
    std::unique_ptr<Ui::CLossCancelDlg> ui;
    StockMover m_mover;
    StockLists m_lists;
};
