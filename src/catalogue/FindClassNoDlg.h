#pragma once

#include <QDialog>

struct ClassNode;
class QIcon;
class QTreeWidgetItem;

namespace Ui {
class CFindClassNoDlg;
}

// Lets the librarian pick a classification number from the tree in data/tree.dat.
class CFindClassNoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFindClassNoDlg(QWidget* parent = nullptr);
    ~CFindClassNoDlg() override;

    // The number picked; empty until a node was chosen with OK.
    QString m_strClassNo;

private slots:
    void OnOK();
    void OnDblclkTree();

private:
    void OnInitDialog();
    void LoadTree();
    void addNodes(const QList<ClassNode>& nodes, QTreeWidgetItem* parent, const QIcon& icon);

    Ui::CFindClassNoDlg* ui;
};
