#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CBarcodeSet2Dlg;
}

// The smaller "条形码设置": six fields and a white sample area that is painted again when the
// title changes and when the font size field is left. It reads and writes no file; both
// buttons only close it. No command opens it.
class CBarcodeSet2Dlg : public QDialog {
    Q_OBJECT
public:
    explicit CBarcodeSet2Dlg(QWidget* parent = nullptr);
    ~CBarcodeSet2Dlg() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void RepaintSample();

private:
    std::unique_ptr<Ui::CBarcodeSet2Dlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
