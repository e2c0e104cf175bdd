#include "controls/ButtonIcons.h"
#include "controls/ReportListCtrl.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "sheets/ExcelFile.h"
#include "maintenance/ExportTemplateDlg.h"
#include "support/TestSupport.h"

#include <QProgressBar>
#include <QtTest>

namespace {
void press(QDialog& window)
{
    window.findChild<CSkinButton*>(QStringLiteral("m_btnExport"))->click();
}

const QStringList kReaderColumns{"编号", "姓名", "性别", "类别", "借书期限", "部门", "借出次数",
                                 "未还书数", "借阅数量限制", "登记日期", "备用", "备注"};
const Rows kReaders{
    {"T001", "张三", "男", "教师", "60", "语文组", "0", "2", "10", "2017-04-11", "", "班主任, \"骨干\""},
    {"S001", "O'Brien", "女", "学生", "30", "初一(1)班", "0", "0", "3", "2017-09-01", "x", "第一行\n第二行"},
};
}

class TestExportTemplates : public QObject {
    Q_OBJECT

    std::optional<Workplace> m_work;

    QString filePath(const QString& name) const { return m_work->folder.path() + QLatin1Char('/') + name; }

    void addReaders()
    {
        for (const QStringList& reader : kReaders) {
            QVariantList values;
            for (const QString& value : reader)
                values << (value.isEmpty() ? QVariant() : QVariant(value));
            QVERIFY(theApp().m_ado.ExecuteSql(
                QStringLiteral("insert into readerinfo values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"), values));
        }
    }

private slots:
    void init() { QVERIFY(m_work.emplace().folder.isReady()); }

    void cleanup() { m_work.reset(); }

    void emptyReaderTableIsRefused()
    {
        CExportReaderTemplateDlg window;
        press(window);
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"请你至少在添加读者界面添加一个读者!"});
        QVERIFY(m_work->seams.chooser.proposals.isEmpty());
    }

    void readerTemplateReadsBackWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("xls") << QStringLiteral("读者.xls");
        QTest::newRow("xlsx") << QStringLiteral("读者.xlsx");
        QTest::newRow("comma text under another name") << QStringLiteral("读者.csv");
    }

    // A second press writes every row again, not only the header; a name without an
    // extension is an .xls.
    void readerTemplateReadsBackWhole()
    {
        QFETCH(QString, name);
        addReaders();
        CExportReaderTemplateDlg window;
        QCOMPARE(window.findChild<CReportListCtrl*>(QStringLiteral("m_list"))->GetItemText(0, 9),
                 kReaders[0][11]);
        m_work->seams.chooser.answers << filePath(name) << filePath(QStringLiteral("again"));
        press(window);
        press(window);
        QCOMPARE(m_work->seams.prompter.texts(), (QStringList{"导出数据成功!", "导出数据成功!"}));
        QCOMPARE(fileRows(filePath(name), QStringLiteral("读者信息模板")), Rows{kReaderColumns} + kReaders);
        QCOMPARE(fileRows(filePath(QStringLiteral("again.xls")), QStringLiteral("读者信息模板")),
                 Rows{kReaderColumns} + kReaders);
        // The dialog offers .xls files; a name typed with another ending is written all the same.
        QCOMPARE(m_work->seams.chooser.saveFilters, QStringList(2, QStringLiteral("Excel文件(*.xls)")));
    }

    // Each window: the export button with icon 202 and a bar that stays idle throughout.
    void iconAndIdleBar_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("readers") << 0;
        QTest::newRow("periodicals") << 1;
        QTest::newRow("books") << 2;
    }

    void iconAndIdleBar()
    {
        QFETCH(int, which);
        addReaders();
        std::unique_ptr<QDialog> window;
        if (which == 0)
            window = std::make_unique<CExportReaderTemplateDlg>();
        else if (which == 1)
            window = std::make_unique<CExportPeriodicalTemplateDlg>();
        else
            window = std::make_unique<CExportBookTemplateDlg>();
        const QIcon icon = window->findChild<CSkinButton*>(QStringLiteral("m_btnExport"))->icon();
        QVERIFY(!icon.isNull() && icon.pixmap(16).toImage() == resourceIcon(202).pixmap(16).toImage());
        auto* bar = window->findChild<QProgressBar*>(QStringLiteral("m_progress"));
        QVERIFY(bar);
        m_work->seams.chooser.answers << filePath(QStringLiteral("模板.xls"));
        press(*window);
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"导出数据成功!"});
        QCOMPARE(bar->value(), bar->minimum());
    }

    void emptyBookSamplesWriteTheHeaderOnly()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("delete from bkmubaninfo")));
        CExportBookTemplateDlg window;
        m_work->seams.chooser.answers << filePath(QStringLiteral("图书.xls"));
        press(window);
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"导出数据成功!"});
        const Rows rows = fileRows(filePath(QStringLiteral("图书.xls")), QStringLiteral("Sheet1"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.front().size(), 16);
        QCOMPARE(rows.front().front(), QStringLiteral("条形码"));
        QCOMPARE(rows.front().back(), QStringLiteral("是否借出"));
    }

    void periodicalSamplesAreWritten()
    {
        CExportPeriodicalTemplateDlg window;
        QCOMPARE(window.findChild<CReportListCtrl*>(QStringLiteral("m_list"))->GetItemText(0, 0),
                 QStringLiteral("QK0000001"));
        m_work->seams.chooser.answers << filePath(QStringLiteral("期刊.xlsx"));
        press(window);
        const Rows rows = fileRows(filePath(QStringLiteral("期刊.xlsx")), QStringLiteral("Sheet1"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1][1], QStringLiteral("QK0000001"));
        QCOMPARE(rows[1][12], QStringLiteral("8"));
    }

    void failedWriteSaysSo()
    {
        addReaders();
        const QString notAWorkbook = filePath(QStringLiteral("notes.xls"));
        QVERIFY(writeFile(notAWorkbook, "my notes"));
        CExportReaderTemplateDlg window;
        m_work->seams.chooser.answers << notAWorkbook;
        press(window);
        QCOMPARE(m_work->seams.prompter.texts(),
                 QStringList{QStringLiteral("导出数据失败!\n文件不是表格文件，没有覆盖：") + notAWorkbook});
        QCOMPARE(fileBytes(notAWorkbook), QByteArray("my notes"));
    }
};

QTEST_MAIN(TestExportTemplates)
#include "test_export_templates.moc"
