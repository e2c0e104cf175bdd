#include "controls/EditListCtrl.h"

#include <QKeyEvent>

CListCtrlEdit::CListCtrlEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("m_edit"));
}

void CListCtrlEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->accept();
        emit editEnded();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CListCtrlEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    emit editEnded();
}

CEditListCtrl::CEditListCtrl(QWidget* parent)
    : CReportListCtrl(parent)
{
}

void CEditListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (!cell.isValid()) {
        m_nItem = -1;
        return;
    }
    m_nItem = cell.row();
    m_nSubItem = cell.column();
    CReportListCtrl::mouseDoubleClickEvent(event);
    EditSubItem(true, m_nItem, m_nSubItem);
}

void CEditListCtrl::EditSubItem(bool show, int row, int column)
{
    if (!m_edit) {
        m_edit = new CListCtrlEdit(viewport());
        m_edit->hide();
        connect(m_edit, &CListCtrlEdit::editEnded, this, &CEditListCtrl::OnEndEdit);
    }
    QTreeWidgetItem* item = topLevelItem(row);
    if (!show || !item) {
        m_bEditing = false;
        m_edit->hide();
        return;
    }
    m_nItem = row;
    m_nSubItem = column;
    m_edit->setGeometry(visualRect(indexFromItem(item, column)).adjusted(0, -2, 0, 0));
    m_edit->setText(item->text(column));
    m_bEditing = true;
    m_edit->show();
    m_edit->setFocus();
    m_edit->selectAll();
}

void CEditListCtrl::OnEndEdit()
{
    if (!m_bEditing)
        return;
    m_bEditing = false;
    const QString text = m_edit->text();
    m_edit->hide();
    if (SetItemText(m_nItem, m_nSubItem, text))
        emit cellEdited(m_nItem, m_nSubItem);
}
