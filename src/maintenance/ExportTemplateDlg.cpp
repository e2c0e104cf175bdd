#include "maintenance/ExportTemplateDlg.h"

#include "ui_ExportTemplateDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/Prompter.h"
#include "db/AppState.h"
#include "export/SheetExport.h"
#include "sheets/SpreadsheetFormat.h"


namespace {
const QList<int> kShownSampleFields{2, 6, 7, 8, 11, 13, 15};
constexpr int kExportIcon = 202;
}

CExportTemplateDlg::CExportTemplateDlg(TemplateSpec spec, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CExportTemplateDlg>()), m_spec(std::move(spec))
{
    ui->setupUi(this);
    connect(ui->m_btnExport, &QPushButton::clicked, this, &CExportTemplateDlg::OnExportExcel);
    OnInitDialog();
}

CExportTemplateDlg::~CExportTemplateDlg() = default;

void CExportTemplateDlg::OnInitDialog()
{
    setWindowTitle(m_spec.title);
    ui->m_staticCaption->setText(m_spec.caption);
    ui->m_btnExport->SetIconHandles(resourceIcon(kExportIcon));
    ui->m_list->SetHeadings(m_spec.headings);
    ui->m_list->LoadColumnInfo();
    m_pRecordset = theApp().m_ado.GetRecordSet(m_spec.sql);
    FillList();
}

// The list shows the rows the export writes; the export starts again from the first.
void CExportTemplateDlg::FillList()
{
    try {
        for (; !m_pRecordset->IsEOF(); m_pRecordset->MoveNext()) {
            QStringList row;
            for (int field : m_spec.shownFields)
                row << m_pRecordset->GetCollect(field);
            ui->m_list->AddItem(row);
        }
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CExportTemplateDlg::OnExportExcel()
{
    QStringList header;
    QList<QStringList> rows;
    try {
        if (!m_spec.emptyMessage.isEmpty() && m_pRecordset->GetRecordCount() == 0)
            return showMessage(this, m_spec.emptyMessage);
        for (int field = m_spec.firstField; field <= m_spec.lastField; ++field)
            header << m_pRecordset->GetFieldName(field);
        // Every press writes every row, wherever the last export left the cursor.
        if (m_pRecordset->GetRecordCount() > 0)
            m_pRecordset->MoveFirst();
        for (; !m_pRecordset->IsEOF(); m_pRecordset->MoveNext()) {
            QStringList row;
            for (int field = m_spec.firstField; field <= m_spec.lastField; ++field)
                row << m_pRecordset->GetCollect(field);
            rows << row;
        }
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("导出数据失败!"));
    }
    const QString path = chooseWorkbook(this, m_spec.fileName);
    if (path.isEmpty())
        return;
    QString error;
    if (!exportSheet(path, m_spec.sheet, false, header, rows, &error))
        return showMessage(this, withReason(QStringLiteral("导出数据失败!"), error));
    showMessage(this, QStringLiteral("导出数据成功!"));
}

CExportReaderTemplateDlg::CExportReaderTemplateDlg(QWidget* parent)
    : CExportTemplateDlg({QStringLiteral("导出读者信息模板"), QStringLiteral("读者信息模板"),
                          QStringLiteral("select * from readerinfo"),
                          QStringLiteral("编号,100;姓名,60;性别,60;类别,60;借书期限,120;部门,60;未还图书,120;"
                                         "数量限制,120;登记日期,120;备注,100"),
                          {0, 1, 2, 3, 4, 5, 7, 8, 9, 11}, 0, 11,
                          QStringLiteral("请你至少在添加读者界面添加一个读者!"), QStringLiteral("读者信息模板"),
                          QStringLiteral("读者信息模板")},
                         parent)
{
}

CExportPeriodicalTemplateDlg::CExportPeriodicalTemplateDlg(QWidget* parent)
    : CExportTemplateDlg({QStringLiteral("导出期刊信息模板"), QStringLiteral("期刊信息模板"),
                          QStringLiteral("select * from qikanmbinfo"),
                          QStringLiteral("期刊编号,80;期刊名称,100;邮发代号,90;出版社,120;出版日期,120;单价,80;"
                                         "入库时间,120"),
                          kShownSampleFields, 1, 16, QString(), QStringLiteral("期刊信息模板"), kFirstSheet},
                         parent)
{
}

CExportBookTemplateDlg::CExportBookTemplateDlg(QWidget* parent)
    : CExportTemplateDlg({QStringLiteral("导出图书信息模板"), QStringLiteral("图书信息模板"),
                          QStringLiteral("select * from bkmubaninfo"),
                          QStringLiteral("图书编号,80;书名,100;著译者,90;出版处,90;出版日期,80;单价,80;入库时间,60"),
                          kShownSampleFields, 1, 16, QString(), QStringLiteral("图书信息模板"), kFirstSheet},
                         parent)
{
}
