#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <map>
#include <memory>

class QCheckBox;
namespace Ui {
class CInitSystemDlg;
}

// Empties the tables the librarian ticks, to start the library afresh.
class CInitSystemDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInitSystemDlg(QWidget* parent = nullptr);
    ~CInitSystemDlg() override;

private slots:
    void OnInitialise();

private:
    void OnInitDialog();
    QStringList ChosenTables() const;

    std::unique_ptr<Ui::CInitSystemDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    std::map<QString, QCheckBox*> m_boxes;  // by table
};
