#pragma once

#include "controls/ReportListCtrl.h"

#include <QLineEdit>

// The one-line edit over a cell of an editing list. Enter, Esc and leaving it all end
// the edit and keep the text: there is no cancel.
class CListCtrlEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CListCtrlEdit(QWidget* parent);

signals:
    void editEnded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// A report list whose cells are edited in place: a double click on a cell opens an edit
// over it; the edited text becomes the cell's text, the one the list sorts by.
class CEditListCtrl : public CReportListCtrl {
    Q_OBJECT
public:
    explicit CEditListCtrl(QWidget* parent = nullptr);

    // Opens (show) or closes the edit over a cell, without keeping its text when closing.
    void EditSubItem(bool show, int row, int column);
    bool IsEditing() const { return m_bEditing; }
    // The cell of the last double click; row -1 after one outside every row.
    int GetEditRow() const { return m_nItem; }
    int GetEditColumn() const { return m_nSubItem; }

signals:
    // A cell took an edited text.
    void cellEdited(int row, int column);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private slots:
    void OnEndEdit();

private:
    int m_nItem = -1;
    int m_nSubItem = -1;
    bool m_bEditing = false;
    CListCtrlEdit* m_edit = nullptr;
};
