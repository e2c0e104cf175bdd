#pragma once

#include "printing/CardPage.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class CCustomCardSetDlg;
}

// "自定义借书证设置": the card geometry (whole page pixels) and the card title, with a mock
// card that shows the title as it is typed. The caller reads the values back after OK.
class CCustomCardSetDlg : public QDialog {
    Q_OBJECT
public:
    CCustomCardSetDlg(const CardPageGeometry& geometry, const QString& title, QWidget* parent = nullptr);
    ~CCustomCardSetDlg() override;

    const CardPageGeometry& Geometry() const { return m_geometry; }
    const QString& Title() const { return m_strTitle; }

private slots:
    void OnOK();
    void OnTitleChanged(const QString& title);

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CCustomCardSetDlg> ui;
    CardPageGeometry m_geometry;
    QString m_strTitle;
};
