#include "printing/CodeRunPrintDlg.h"

#include "ui_CodeRunPrintDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/PagedList.h"
#include "controls/Prompter.h"
#include "printing/CodeRun.h"
#include "printing/PageIndicator.h"
#include "printing/PagePrinter.h"
#include "printing/PageSource.h"

CCodeRunPrintDlg::CCodeRunPrintDlg(const Texts& texts, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::CCodeRunPrintDlg>())
{
    ui->setupUi(this);
    setWindowTitle(texts.title);
    ui->m_labelCode->setText(texts.codeLabel);
    ui->m_editCode->setText(texts.firstCode);
    ui->m_editCount->setText(texts.count);
    ui->m_btnGenerate->SetIconHandles(resourceIcon(265));
    ui->m_btnPreview->SetIconHandles(resourceIcon(266));
    ui->m_btnPrint->SetIconHandles(resourceIcon(267));
    ui->m_btnSetting->SetIconHandles(resourceIcon(135));
    ui->m_btnCancel->SetIconHandles(resourceIcon(215));
    ui->m_list->SetHeadings(QStringLiteral("序号,80;条形码,120"));
    ui->m_list->LoadColumnInfo();
    connect(ui->m_btnGenerate, &QPushButton::clicked, this, &CCodeRunPrintDlg::OnGenerate);
    connect(ui->m_btnPreview, &QPushButton::clicked, this, &CCodeRunPrintDlg::ShowPreview);
    connect(ui->m_btnPrint, &QPushButton::clicked, this, &CCodeRunPrintDlg::OnPrint);
    connect(ui->m_btnSetting, &QPushButton::clicked, this, [this] { OnSetting(); });
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_paging = new PagedList(this, 1, ui->m_btnPrevious, ui->m_btnNext, ui->m_comboPage);
    reservePageIndicator(ui->m_labelPage);
    connect(m_paging, &PagedList::pageChanged, this, &CCodeRunPrintDlg::OnPageChanged);
}

CCodeRunPrintDlg::~CCodeRunPrintDlg() = default;

void CCodeRunPrintDlg::Start(CodePages& pages)
{
    m_pages = &pages;
    PagesChanged();
}

void CCodeRunPrintDlg::PagesChanged()
{
    m_paging->SetPageSize(m_pages->CodesPerPage());
    ShowPreview();
}

void CCodeRunPrintDlg::OnGenerate()
{
    const CodeRun::Result run = CodeRun::Make(ui->m_editCode->text(), ui->m_editCount->text());
    if (!run.refusal.isEmpty())
        return showMessage(this, run.refusal);
    m_pages->SetCodes(run.codes);
    m_paging->SetResult(static_cast<int>(run.codes.size()));
}

void CCodeRunPrintDlg::OnPageChanged(int page)
{
    ui->m_labelPage->setText(pageIndicatorText(page, m_pages->PageCount()));
    ui->m_list->DeleteAllItems();
    const int first = (page - 1) * m_pages->CodesPerPage();
    const QStringList codes = m_pages->CodesOfPage(page);
    for (int i = 0; i < codes.size(); ++i)
        ui->m_list->AddItem({QString::number(first + i), codes[i]});
    ShowPreview();
}

void CCodeRunPrintDlg::ShowPreview()
{
    ui->m_preview->ShowPage(*m_pages, std::min(m_paging->Cursor().GetPage(), m_pages->PageCount()));
}

void CCodeRunPrintDlg::OnPrint()
{
    if (PagePrinter::ConfirmCodes(this, m_pages->Codes(), m_pages->CodePitch()))
        PagePrinter::Print(this, *m_pages);
}
