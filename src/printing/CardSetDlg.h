#pragma once

#include "printing/CardPage.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CCardSetDlg;
}

// The settings of a card page: the card geometry (whole page pixels) and the card title,
// with a mock card that shows the title as it is typed. "借书证设置" serves the reader
// cards, whose title lasts while their window is open; "自定义借书证设置" the custom cards,
// whose title is kept in setup.ini and so must fit there. The caller reads the values back
// after OK.
class CCardSetDlg : public QDialog {
    Q_OBJECT
public:
    enum Kind { ReaderCards, CustomCards };

    CCardSetDlg(Kind kind, const CardPageGeometry& geometry, const QString& title, QWidget* parent = nullptr);
    ~CCardSetDlg() override;

    const CardPageGeometry& Geometry() const { return m_geometry; }
    const QString& Title() const { return m_strTitle; }

private slots:
    void OnOK();
    void OnTitleChanged(const QString& title);

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CCardSetDlg> ui;
    Kind m_kind;
    CardPageGeometry m_geometry;
    QString m_strTitle;
};
