#include "catalogue/FindClassNoDlg.h"

#include "ui_FindClassNoDlg.h"

#include "catalogue/ClassTree.h"
#include "controls/ButtonIcons.h"
#include "controls/ListClicks.h"
#include "controls/Prompter.h"

#include <QFile>

namespace {
const QString kTreeFile = QStringLiteral("data/tree.dat");
constexpr int kIconSize = 16;
}

CFindClassNoDlg::CFindClassNoDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CFindClassNoDlg)
{
    ui->setupUi(this);
    connect(ui->m_btnOK, &QPushButton::clicked, this, &CFindClassNoDlg::OnOK);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A double click anywhere in the tree takes the selected node, as 确定 does.
    ListClicks::watch(ui->m_treeClass, ListClicks::DoubleClick, [this] { OnDblclkTree(); });
    OnInitDialog();
}

CFindClassNoDlg::~CFindClassNoDlg() { delete ui; }

void CFindClassNoDlg::OnInitDialog()
{
    ui->m_treeClass->setIconSize(QSize(kIconSize, kIconSize));
    LoadTree();
}

void CFindClassNoDlg::LoadTree()
{
    QFile file(kTreeFile);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(this, QStringLiteral("没有找到分类数据文件!"));
        return;
    }
    // Every node shows the dark lamp, and the bright one while it is selected.
    QIcon icon(resourceIcon(213).pixmap(kIconSize));
    icon.addPixmap(resourceIcon(214).pixmap(kIconSize), QIcon::Selected);
    addNodes(parseClassTree(file.readAll()), nullptr, icon);
}

void CFindClassNoDlg::addNodes(const QList<ClassNode>& nodes, QTreeWidgetItem* parent, const QIcon& icon)
{
    for (const ClassNode& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(ui->m_treeClass);
        item->setText(0, node.text);
        item->setIcon(0, icon);
        addNodes(node.children, item, icon);
    }
}

void CFindClassNoDlg::OnOK()
{
    const QTreeWidgetItem* item = ui->m_treeClass->currentItem();
    m_strClassNo = item ? classNumberOf(item->text(0)) : QString();
    accept();
}

void CFindClassNoDlg::OnDblclkTree() { OnOK(); }
