#pragma once

#include "controls/EnterKeyFilter.h"
#include "printing/LayoutRecord.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class CBarcodeSetDlg;
}

// "条形码设置": edits the layout file of a barcode window (mode 0 "data/txm.dat" for book
// numbers, mode 1 "data/txmzd.dat" for custom codes) with a live sample of one label.
// "确定" writes the file and ends with OK; the file is not touched otherwise.
class CBarcodeSetDlg : public QDialog {
    Q_OBJECT
public:
    CBarcodeSetDlg(int mode, QWidget* parent = nullptr);
    ~CBarcodeSetDlg() override;

private slots:
    void OnOK();
    void OnDefault();
    void OnSampleChanged();

private:
    void OnInitDialog();
    void ShowRecord(const LayoutRecord& record);
    // The layout of the fields over the record as read; nullopt (after saying why) when the
    // grid cannot be laid out or a text does not fit its slot.
    std::optional<LayoutRecord> TakeFields();

    std::unique_ptr<Ui::CBarcodeSetDlg> ui;
    // Enter in a field moves to the next one; on a button it presses that button.
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    QString m_strPath;
    // What the file held (every byte zero when it could not be read), with the hidden texts
    // chosen since.
    LayoutRecord m_record;
};
