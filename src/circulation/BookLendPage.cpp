#include "circulation/BookLendPage.h"

#include "ui_BookLendPage.h"

#include "controls/ButtonIcons.h"
#include "controls/ListClicks.h"
#include "controls/Prompter.h"
#include "controls/WindowTips.h"
#include "db/AppState.h"

#include <QMenu>

namespace {

const QString kLimitText = QStringLiteral("对不起！您的借阅数量受限！\n");
const QString kFailText = QStringLiteral("操作失败");
constexpr int kNotFoundShownMs = 2000;

// A search text or barcode without its leading blanks, as a scanner or a librarian typed it.
QString withoutLeadingBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    return text.mid(start);
}

} // namespace

CBookLendPage::CBookLendPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::CBookLendPage>())
{
    ui->setupUi(this);
    connect(ui->m_btnReaderQuery, &QPushButton::clicked, this, &CBookLendPage::OnReaderQuery);
    connect(ui->m_btnBookQuery, &QPushButton::clicked, this, &CBookLendPage::OnBookQuery);
    connect(ui->m_btnLendAll, &QPushButton::clicked, this, &CBookLendPage::OnLendAll);
    connect(ui->m_btnReturnQuery, &QPushButton::clicked, this, &CBookLendPage::OnReturnQuery);
    connect(ui->m_btnReturnAll, &QPushButton::clicked, this, &CBookLendPage::OnReturnAll);
    ListClicks::watch(ui->m_listBooks, ListClicks::DoubleClick, [this] { OnDblclkBookList(); });
    ListClicks::watch(ui->m_listLent, ListClicks::DoubleClick, [this] { OnDblclkLentList(); });
    ui->m_listBooks->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->m_listBooks, &QWidget::customContextMenuRequested, this, &CBookLendPage::OnRclickBookList);
    m_enterKeys.onEnter(ui->m_editReaderInput, [this] { OnReaderQuery(); });
    m_enterKeys.onEnter(ui->m_editBookKey, [this] { OnBookQuery(); });
    m_enterKeys.onEnter(ui->m_editReturnKey, [this] {
        OnReturnQuery();
        ui->m_editReturnKey->setFocus();
    });
    connect(ui->m_checkUpload, &QCheckBox::toggled, this, &CBookLendPage::OnUploadCheck);
    connect(&m_uploader, &CountsUploader::Started, this, &CBookLendPage::OnUploadStarted);
    connect(&m_uploader, &CountsUploader::CountFailed, this, [this] { showMessage(this, QStringLiteral("操作失败！")); });
    OnInitDialog();
}

CBookLendPage::~CBookLendPage() = default;

void CBookLendPage::OnInitDialog()
{
    ui->m_btnReaderQuery->SetIconHandles(resourceIcon(199));
    ui->m_btnBookQuery->SetIconHandles(resourceIcon(192));
    ui->m_btnReturnQuery->SetIconHandles(resourceIcon(192));
    ui->m_btnLendAll->SetIconHandles(resourceIcon(283));
    ui->m_btnReturnAll->SetIconHandles(resourceIcon(284));
    ui->m_listBooks->SetHeadings(QStringLiteral(
        "图书编号,120;图书名称,150;著译者,120;出版处,120;图书价格,100;书架名称,150;是否借出,100;条形码,150"));
    ui->m_listBooks->LoadColumnInfo();
    ui->m_listLent->SetHeadings(QStringLiteral("图书编号,120;图书名称,150;图书价格,100;读者编号,120;读者姓名,120;"
                                               "借书日期,120;应还日期,120;操作员,90;条形码,150"));
    ui->m_listLent->LoadColumnInfo();
    ui->m_checkUpload->hide();
    WindowTips::apply(this);
    ui->m_editReaderInput->setFocus();
}

void CBookLendPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ui->m_editReaderInput->setFocus();
}

LendingService CBookLendPage::Service() const { return LendingService(theApp().m_ado, theApp().m_strOperator); }

void CBookLendPage::OnReaderQuery()
{
    if (m_reader.find(ui->m_editReaderInput))
        FillLentList();
}

void CBookLendPage::FillBookList(const QList<BookCopy>& copies)
{
    for (const BookCopy& c : copies)
        ui->m_listBooks->AddItem({c.bookNumber, c.title, c.author, c.publisher, c.price, c.shelf, c.lentFlag, c.barcode});
}

void CBookLendPage::FillLentList()
{
    ui->m_listLent->DeleteAllItems();
    for (const Loan& l : m_reader.loans())
        ui->m_listLent->AddItem({l.bookNumber, l.title, l.price, l.readerNumber, l.readerName, l.lendingDate,
                                 l.dueDate, l.operatorName, l.barcode});
}

// Lending re-checks the reader, his limit and the copy inside its transaction: each refusal
// is said, and nothing is written.
void CBookLendPage::LendBook(BookCopy copy)
{
    copy.barcode = withoutLeadingBlanks(copy.barcode);
    try {
        switch (Service().lend(m_reader.card(), copy)) {
        case LendingService::Outcome::Done:
            break;
        case LendingService::Outcome::LimitReached:
            showMessage(this, kLimitText);
            break;
        case LendingService::Outcome::NoReader:
            showMessage(this, QStringLiteral("查无此人！"));
            break;
        default:
            showMessage(this, QStringLiteral("图书%1已经借出！").arg(copy.bookNumber));
            break;
        }
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

void CBookLendPage::OnBookQuery()
{
    const QString key = withoutLeadingBlanks(ui->m_editBookKey->text());
    if (key.isEmpty())
        return showMessage(this, QStringLiteral("请输入查询信息！"));
    if (m_reader.card().number.isEmpty())
        return showMessage(this, QStringLiteral("请输入读者信息!\n"));
    try {
        const QList<BookCopy> copies = Service().findInStock(key);
        if (copies.isEmpty()) {
            ui->m_editBookKey->clear();
            // The answer means nothing: the box only has to go away by itself before the next scan.
            Prompter::instance().askTimed(this, QStringLiteral("没有这本书的信息！"), QStringLiteral("提示"),
                                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Information,
                                          QMessageBox::No, kNotFoundShownMs);
            ui->m_editBookKey->setFocus();
            return;
        }
        if (copies.size() == 1 && !Service().mayBorrow(m_reader.card()))
            return showMessage(this, kLimitText);
        if (copies.size() == 1)
            LendBook(copies.first());
        m_reader.refresh();
        ui->m_listBooks->DeleteAllItems();
        FillBookList(Service().findInStock(key));
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
    FillLentList();
    ui->m_editBookKey->clear();
    ui->m_editBookKey->setFocus();
}

BookCopy CBookLendPage::CopyOfRow(int row) const
{
    BookCopy copy;
    copy.bookNumber = ui->m_listBooks->GetItemText(row, 0);
    copy.title = ui->m_listBooks->GetItemText(row, 1);
    copy.price = ui->m_listBooks->GetItemText(row, 4);
    copy.barcode = ui->m_listBooks->GetItemText(row, 7);
    return copy;
}

void CBookLendPage::OnDblclkBookList() { LendSelected(); }

void CBookLendPage::LendSelected()
{
    if (!m_reader.present())
        return;
    try {
        if (!Service().mayBorrow(m_reader.card()))
            return showMessage(this, kLimitText);
    } catch (const DbError&) {
        return showMessage(this, kFailText);
    }
    const int row = ui->m_listBooks->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("没有选定书目!\n"));
    LendBook(CopyOfRow(row));
    m_reader.refresh();
    ui->m_listBooks->DeleteItem(row);
    FillLentList();
}

void CBookLendPage::OnLendAll()
{
    const int rows = ui->m_listBooks->GetItemCount();
    try {
        if (!Service().mayBorrow(m_reader.card(), rows))
            return showMessage(this, kLimitText);
    } catch (const DbError&) {
        return showMessage(this, kFailText);
    }
    for (int row = 0; row < rows; ++row)
        LendBook(CopyOfRow(row));
    m_reader.refresh();
    ui->m_listBooks->DeleteAllItems();
    FillLentList();
}

void CBookLendPage::OnRclickBookList(const QPoint& position)
{
    QMenu menu(this);
    QAction* lend = menu.addAction(QStringLiteral("借阅选定图书"));
    QAction* remove = menu.addAction(QStringLiteral("删除选定记录"));
    QAction* clear = menu.addAction(QStringLiteral("清空列表框"));
    const QPoint global = ui->m_listBooks->viewport()->mapToGlobal(position);
    QAction* chosen = menu.exec(global + QPoint(80 - menu.sizeHint().width(), 0));
    if (chosen == lend)
        LendSelected();
    else if (chosen == remove && ui->m_listBooks->GetFirstSelected() >= 0)
        ui->m_listBooks->DeleteItem(ui->m_listBooks->GetFirstSelected());
    else if (chosen == clear)
        ui->m_listBooks->DeleteAllItems();
}

// The history row names the reader shown, when there is one.
void CBookLendPage::ReturnBook(const QString& bookNumber)
{
    try {
        // A loan already closed elsewhere is not returned twice.
        if (Service().giveBack(bookNumber, m_reader.shown()) == LendingService::Outcome::NotOnLoan)
            showMessage(this, QStringLiteral("无此记录！"));
        FillBookList(Service().copyInStock(bookNumber));
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

void CBookLendPage::OnReturnQuery()
{
    const QString key = withoutLeadingBlanks(ui->m_editReturnKey->text());
    if (key.isEmpty())
        return showMessage(this, QStringLiteral("请输入查询信息！"));
    QString borrower;
    std::optional<ReaderCard> card;
    try {
        borrower = Service().borrowerOf(key);
        if (!borrower.isEmpty())
            card = Service().readerByNumber(borrower);
    } catch (const DbError&) {
        // Nothing is returned: the key stays for another try.
        return showMessage(this, kFailText);
    }
    if (borrower.isEmpty()) {
        showMessage(this, QStringLiteral("无此记录！"));
        return ui->m_editReturnKey->clear();
    }
    // The borrower's whole card is shown before his copy comes back, so that the card and
    // the history row never speak of two readers at once.
    m_reader.show(card);
    ReturnBook(key);
    m_reader.refresh();
    FillLentList();
    ui->m_editReturnKey->clear();
}

void CBookLendPage::OnDblclkLentList()
{
    if (!m_reader.present())
        return;
    const int row = ui->m_listLent->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("没有选定书目!\n"));
    ReturnBook(ui->m_listLent->GetItemText(row, 0));
    m_reader.refresh();
    FillLentList();
}

void CBookLendPage::OnReturnAll()
{
    if (!m_reader.present())
        return;
    for (int row = 0; row < ui->m_listLent->GetItemCount(); ++row)
        ReturnBook(ui->m_listLent->GetItemText(row, 0));
    m_reader.refresh();
    FillLentList();
}

void CBookLendPage::OnUploadCheck(bool checked)
{
    if (checked)
        m_uploader.Start();
    else
        m_uploader.Stop();
}

void CBookLendPage::OnUploadStarted(bool connected)
{
    if (!ui->m_checkUpload->isChecked())
        return m_uploader.Stop();
    if (connected)
        return;
    showMessage(this, QStringLiteral("远程连接失败！"));
    ui->m_checkUpload->setChecked(false);
}
