#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

class CodePages;
class PagedList;

namespace Ui {
class CCodeRunPrintDlg;
}

// The window that prints a run of made-up codes without any database: a first code and a
// count make the run ("生成条码"), the list shows one page of it with its serial numbers,
// the preview shows the same page, "打印" prints through the print frame and "设置" opens
// the settings of the kind of page the subclass prints.
class CCodeRunPrintDlg : public QDialog {
    Q_OBJECT
public:
    ~CCodeRunPrintDlg() override;

protected:
    struct Texts {
        QString title;
        QString codeLabel;
        QString firstCode;
        QString count;
    };
    CCodeRunPrintDlg(const Texts& texts, QWidget* parent);

    // Ties the window to the subclass's pages (a member of the subclass) and shows page 1.
    void Start(CodePages& pages);
    // After the pages' layout changed: codes per page and page counts again, keeping the
    // page shown where it still exists.
    void PagesChanged();

    virtual void OnSetting() = 0;

protected slots:
    // Draws the current page again.
    void ShowPreview();

private slots:
    void OnGenerate();
    void OnPrint();

private:
    void OnPageChanged(int page);

    std::unique_ptr<Ui::CCodeRunPrintDlg> ui;
    // Enter in a field moves on like Tab: "生成条码" runs only when it is pressed.
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    CodePages* m_pages = nullptr;
    PagedList* m_paging = nullptr;
};
