#include "maintenance/ImportDlg.h"

#include "ui_ImportDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/FileChooser.h"
#include "controls/LabelWidth.h"
#include "controls/Prompter.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "db/Statements.h"
#include "maintenance/ImportJob.h"

#include <QFileInfo>
#include <QThread>
#include <sqlite3.h>

namespace {
const QString kCountText = QStringLiteral("共导入%1条记录,本页面只是显示一部分数据！");
constexpr int kBrowseIcon = 192;

// A skinned button where the window gives its import button an icon, a plain one otherwise.
QPushButton* makeImportButton(int icon, QWidget* parent)
{
    if (icon == 0)
        return new QPushButton(parent);
    auto* button = new CSkinButton(parent);
    button->SetIconHandles(resourceIcon(icon));
    return button;
}

// The file the program's connection has open, which the job opens again on its thread.
QString openDatabasePath()
{
    sqlite3* db = theApp().m_ado.SqliteHandle();
    return db ? QString::fromUtf8(sqlite3_db_filename(db, "main"))
              : QFileInfo(CAdoConn::LocalDatabasePath()).absoluteFilePath();
}
}

CImportDlg::CImportDlg(ImportWindowSpec spec, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CImportDlg>()), m_spec(std::move(spec))
{
    ui->setupUi(this);
    setWindowTitle(m_spec.title);
    reserveLabelWidth(ui->m_staticCount, {kCountText.arg(9999999)});
    m_btnImport = makeImportButton(m_spec.importIcon, this);
    m_btnImport->setObjectName(QStringLiteral("m_btnImport"));
    m_btnImport->setText(QStringLiteral("导入数据"));
    m_btnImport->setAutoDefault(false);
    ui->pathLayout->addWidget(m_btnImport);
    setTabOrder(ui->m_btnBrowse, m_btnImport);
    connect(ui->m_btnBrowse, &QPushButton::clicked, this, &CImportDlg::OnBrowse);
    connect(m_btnImport, &QPushButton::clicked, this, &CImportDlg::OnImport);
    // Where 导入数据 is the default button, Enter anywhere but on another button imports.
    if (m_spec.importIsDefault)
        m_enterKeys.onEnter(this, [this] { m_btnImport->click(); });
    OnInitDialog();
}

CImportDlg::~CImportDlg()
{
    if (m_thread)
        m_thread->wait();
}

void CImportDlg::OnInitDialog()
{
    ui->m_list->SetHeadings(m_spec.headings);
    ui->m_list->LoadColumnInfo();
    ui->m_btnBrowse->SetIconHandles(resourceIcon(kBrowseIcon));
    m_btnImport->setDefault(m_spec.importIsDefault);
}

void CImportDlg::OnBrowse()
{
    const QString chosen =
        FileChooser::instance().openFile(this, QStringLiteral("打开"), theApp().m_strAppPath, m_spec.browseFilter);
    if (chosen.isEmpty())
        return;
    m_strPath = chosen;
    ui->m_editPath->setText(m_strPath);
}

void CImportDlg::OnImport()
{
    if (IsImporting())
        return;
    if (m_strPath.isEmpty())
        return showMessage(this, m_spec.emptyPathText);
    bool overwrite = false;
    if (m_spec.asksOverwrite) {
        const auto answer = Prompter::instance().ask(
            this, QStringLiteral("导入数据是否覆盖原来的数据？'是'则覆盖，‘否’则追加数据。"), QStringLiteral("警告！"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning, QMessageBox::NoButton);
        if (answer == QMessageBox::Cancel)
            return;
        overwrite = answer == QMessageBox::Yes;
    }
    m_job = std::make_unique<CImportJob>(ImportSpec::forTarget(m_spec.target), m_strPath, openDatabasePath(), overwrite);
    connect(m_job.get(), &CImportJob::Progress, this, &CImportDlg::OnProgress);
    connect(m_job.get(), &CImportJob::Finished, this, &CImportDlg::OnImportDone);
    m_btnImport->setEnabled(false);
    ui->m_progress->setRange(0, 1);
    ui->m_progress->setValue(0);
    CImportJob* job = m_job.get();
    m_thread.reset(QThread::create([job] { job->Run(); }));
    m_thread->start();
}

void CImportDlg::OnProgress(int value, int maximum)
{
    ui->m_progress->setRange(0, std::max(1, maximum));
    ui->m_progress->setValue(value);
}

void CImportDlg::OnImportDone(bool done, int stored, const QString& message)
{
    m_thread->wait();
    m_thread.reset();
    m_job.reset();
    m_btnImport->setEnabled(true);
    if (!done) {
        // Nothing was imported: a count or rows of an earlier import would say otherwise.
        ui->m_progress->setValue(0);
        ui->m_staticCount->clear();
        ui->m_list->DeleteAllItems();
        return showMessage(this, message);
    }
    ui->m_staticCount->setText(kCountText.arg(stored));
    FillList();
    showMessage(this, m_spec.successText);
}

void CImportDlg::FillList()
{
    // The list shows the table's first rows as they stand now: kept from an earlier import,
    // it would show those copies twice, or copies that an overwrite has removed.
    ui->m_list->DeleteAllItems();
    try {
        const QString table = ImportSpec::forTarget(m_spec.target).table;
        RecordsetPtr rs = openOrThrow(theApp().m_ado, QStringLiteral("select * from %1 limit ?").arg(table),
                                      {m_spec.rowLimit});
        for (; !rs->IsEOF(); rs->MoveNext()) {
            QStringList texts;
            for (int field : m_spec.shownFields)
                texts << rs->GetCollect(field);
            ui->m_list->AddItem(texts);
        }
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CImportDlg::done(int result)
{
    if (IsImporting())
        return showMessage(this, QStringLiteral("导入线程尚未结束!"));
    QDialog::done(result);
}

namespace {
const QString kReaderPathText = QStringLiteral("请设置导入信息的路径!");
const QString kCataloguePathText = QStringLiteral("请确认导入文件路径!");
const QString kCatalogueSuccess = QStringLiteral("图书信息导入成功!");
const QString kXlsFilter = QStringLiteral("Excel文件(*.xls)");
constexpr int kImportIcon = 210;
}

CImportReaderDlg::CImportReaderDlg(QWidget* parent)
    : CImportDlg({ImportSpec::Target::Readers, QStringLiteral("导入读者数据"),
                  QStringLiteral("编号,80;姓名,60;性别,50;类别,50;借书期限,80;部门,60;未还图书,80;数量限制,80;登记日期,"
                                 "120;备注,100"),
                  {0, 1, 2, 3, 4, 5, 7, 8, 9, 11}, 500, true, false, kReaderPathText,
                  QStringLiteral("读者信息导入成功!"), kXlsFilter, kImportIcon},
                 parent)
{
    setObjectName(QStringLiteral("CImportReaderDlg"));
}

CImportLendDlg::CImportLendDlg(QWidget* parent)
    : CImportDlg({ImportSpec::Target::Loans, QStringLiteral("导入借阅数据"),
                  QStringLiteral("图书编号,80;书名,60;条形码,90;读者编号,80;读者姓名,80;读者类别,60;借书日期,80;应还日期,"
                                 "80;图书价格,80;操作员,60"),
                  {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 500, false, false, kReaderPathText,
                  QStringLiteral("借阅信息导入成功!"), kXlsFilter},
                 parent)
{
    setObjectName(QStringLiteral("CImportLendDlg"));
}

CImportLendHistoryDlg::CImportLendHistoryDlg(QWidget* parent)
    : CImportDlg({ImportSpec::Target::LendingHistory, QStringLiteral("导入借阅历史信息"),
                  QStringLiteral("图书编号,90;书名,90;读者编号,90;读者姓名,90;读者类别,90;操作性质,90;操作时间,90;操作员,"
                                 "80;部门,90"),
                  {0, 1, 2, 3, 4, 5, 6, 7, 8}, 200, false, false, kReaderPathText,
                  QStringLiteral("借阅历史信息导入成功!"), kXlsFilter},
                 parent)
{
    setObjectName(QStringLiteral("CImportLendHistoryDlg"));
}

CImportBookDlg::CImportBookDlg(QWidget* parent)
    : CImportDlg({ImportSpec::Target::Books, QStringLiteral("导入数据"),
                  QStringLiteral("图书编号,100;书名,100;著译者,90;出版处,90;出版日期,100;单价,80;入库时间,90"),
                  {2, 6, 7, 8, 11, 13, 15}, 500, true, true, kCataloguePathText, kCatalogueSuccess,
                  QStringLiteral("Excel2003 Files (*.xls);;Excel2007 Files (*.xlsx)"), kImportIcon},
                 parent)
{
    setObjectName(QStringLiteral("CImportBookDlg"));
}

CImportPeriodicalDlg::CImportPeriodicalDlg(QWidget* parent)
    : CImportDlg({ImportSpec::Target::Periodicals, QStringLiteral("导入期刊信息"),
                  QStringLiteral("期刊编号,80;期刊名称,100;邮发代号,90;出版处,120;出版日期,100;单价,80;入库时间,90"),
                  {2, 6, 7, 8, 11, 13, 15}, 500, true, true, kCataloguePathText, kCatalogueSuccess,
                  kXlsFilter, kImportIcon},
                 parent)
{
    setObjectName(QStringLiteral("CImportPeriodicalDlg"));
}
