#include "catalogue/MarcImportDlg.h"

#include "ui_MarcImportDlg.h"

#include "marc/MarcReader.h"
#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "core/DateText.h"
#include "db/AppState.h"
#include "db/Statements.h"
#include "export/SheetExport.h"

#include <QFile>
#include <QGuiApplication>

namespace {
const QString kHeadings = QStringLiteral(
    "条形码,120;图书编号,80;分类号,70;图书类别,80;复本号,80;书名,120;著译者,80;出版处,80;页数,80;开本,80;版期,80;"
    "版次,80;单价,60;书架名称,80;入库时间,80");
const QString kSheet = QStringLiteral("图书MARC数据");
constexpr int kExportedFields = 16;

// Shows the busy cursor while a long step runs on the window thread.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
}

CMarcImportDlg::CMarcImportDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CMarcImportDlg), m_import(theApp().m_ado)
{
    ui->setupUi(this);
    connect(ui->m_btnOpen, &QPushButton::clicked, this, &CMarcImportDlg::OnOpenMarcFile);
    connect(ui->m_btnSave, &QPushButton::clicked, this, &CMarcImportDlg::OnSaveToDatabase);
    connect(ui->m_btnExport, &QPushButton::clicked, this, &CMarcImportDlg::OnExportExcel);
    connect(ui->m_btnExit, &QPushButton::clicked, this, &QDialog::reject);
    OnInitDialog();
}

CMarcImportDlg::~CMarcImportDlg() { delete ui; }

void CMarcImportDlg::OnInitDialog()
{
    ui->m_list->SetHeadings(kHeadings);
    ui->m_list->LoadColumnInfo();
}

// The rows of each file are added behind those already listed.
void CMarcImportDlg::OnOpenMarcFile()
{
    const QString path = FileChooser::instance().openFile(this, QStringLiteral("打开"), QString(),
                                                          QStringLiteral("ISO文件(*.iso)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(this, QStringLiteral("打开文件错误,操作失败!"));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        showMessage(this, QStringLiteral("打开文件错误,操作失败!"));
        return;
    }
    const BusyCursor busy;
    for (const QStringList& row : MarcReader(bytes).rows(todayText()))
        ui->m_list->AddItem(row);
}

QList<QStringList> CMarcImportDlg::listedRows() const
{
    QList<QStringList> rows;
    for (int row = 0; row < ui->m_list->GetItemCount(); ++row)
        rows << ui->m_list->GetRowTexts(row);
    return rows;
}

void CMarcImportDlg::OnSaveToDatabase()
{
    if (ui->m_list->GetItemCount() == 0)
        return;
    bool stored = false;
    {
        const BusyCursor busy;
        stored = m_import.store(listedRows());
    }
    showMessage(this, stored ? QStringLiteral("保存数据成功!") : QStringLiteral("保存数据失败!"));
}

// The header is the names of bkinfo columns 1 to 16; 是否借出, the sixteenth, stays empty.
void CMarcImportDlg::OnExportExcel()
{
    if (ui->m_list->GetItemCount() == 0)
        return;
    QStringList header;
    try {
        RecordsetPtr names = openOrThrow(theApp().m_ado, QStringLiteral("select * from bkinfo where 0"));
        for (int field = 1; field <= kExportedFields; ++field)
            header << names->GetFieldName(field);
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("导出数据失败!"));
        return;
    }
    const QString path = chooseWorkbook(this, kSheet);
    if (path.isEmpty())
        return;
    QList<QStringList> rows = listedRows();
    for (QStringList& row : rows)
        row << QString();
    QString error;
    bool written = false;
    {
        const BusyCursor busy;
        written = exportSheet(path, kSheet, false, header, rows, &error);
    }
    // A sheet that holds another export's header is refused; the reason says what to do.
    showMessage(this, written ? QStringLiteral("导出数据成功!") : withReason(QStringLiteral("导出数据失败!"), error));
}
