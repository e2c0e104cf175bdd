#include "circulation/ReaderQueryDlg.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "sheets/ExcelFile.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

void addReader(const QString& number, const QString& name, const QString& dept = QStringLiteral("初一(1)班"),
               const QString& date = QStringLiteral("2016-09-01"))
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into readerinfo values (?, ?, '男', '学生', 30, ?, 7, 1, 5, ?, '备用', '备注')"),
        {number, name, dept, date}));
}

} // namespace

class TestReaderQuery : public QObject {
    Q_OBJECT

    std::unique_ptr<Workplace> m_work;
    std::unique_ptr<CReaderQueryDlg> m_dlg;

    CReportListCtrl* list() const { return m_dlg->findChild<CReportListCtrl*>(QStringLiteral("m_list")); }
    QPushButton* button(const char* name) const { return m_dlg->findChild<QPushButton*>(QLatin1String(name)); }
    QStringList messages() const { return m_work->seams.prompter.texts(); }
    void search(const QString& keyword)
    {
        m_dlg->findChild<QLineEdit*>(QStringLiteral("m_editSearch"))->setText(keyword);
        button("m_btnSearch")->click();
    }
private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
        m_dlg = std::make_unique<CReaderQueryDlg>();
    }

    void cleanup()
    {
        m_dlg.reset();
        m_work.reset();
    }

    void keywords_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("readers");
        QTest::addColumn<QString>("message");
        const QString none = QStringLiteral("没有找到相关信息的图书!");
        QTest::newRow("all, by number") << "(全部)" << QStringList{"R1", "R2", "R3", "R4"} << "";
        QTest::newRow("exact number") << "r2" << QStringList{"R2"} << "";
        QTest::newRow("part of a number") << "R" << QStringList{} << none;
        QTest::newRow("name fragment") << "三" << QStringList{"R1"} << "";
        QTest::newRow("department") << "初二" << QStringList{"R3"} << "";
        QTest::newRow("registration year") << "2015" << QStringList{"R4"} << "";
        QTest::newRow("percent") << "%" << QStringList{"R2"} << "";
        QTest::newRow("underscore") << "_" << QStringList{"R4"} << "";
        QTest::newRow("quote") << "'" << QStringList{} << none;
        QTest::newRow("empty") << "" << QStringList{} << "请输入用查询信息！";
    }

    void keywords()
    {
        QFETCH(QString, keyword);
        QFETCH(QStringList, readers);
        QFETCH(QString, message);
        addReader("R3", "王五", "初二(2)班");
        addReader("R1", "张三");
        addReader("R2", "100%读者");
        addReader("R4", "李_四", "初一(1)班", "2015-09-01");
        search(keyword);
        QCOMPARE(listColumn(list()), readers);
        QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    // A scanner's next scan never lands behind a search that found nothing: when the
    // message is answered the box is empty and has the focus.
    void boxEmptyAfterNothingFound()
    {
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        auto* edit = m_dlg->findChild<QLineEdit*>(QStringLiteral("m_editSearch"));
        edit->setFocus();
        QTest::keyClicks(edit, "zzz");
        QString said;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                said = box->text();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        Prompter::install(nullptr);
        QTest::keyClick(edit, Qt::Key_Return);
        Prompter::install(&m_work->seams.prompter);
        QCOMPARE(said, QStringLiteral("没有找到相关信息的图书!"));
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), QString());
    }

    void paging_data()
    {
        QTest::addColumn<int>("readers");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("lastPageRows");
        QTest::newRow("50") << 50 << 1 << 50;
        QTest::newRow("101") << 101 << 3 << 1;
    }

    void paging()
    {
        QFETCH(int, readers);
        QFETCH(int, pages);
        QFETCH(int, lastPageRows);
        CTransaction transaction(theApp().m_ado);
        for (int i = 0; i < readers; ++i)
            addReader(QStringLiteral("R%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("读者"));
        QVERIFY(transaction.Commit());
        QVERIFY(m_dlg->findChild<QComboBox*>(QStringLiteral("m_cmbPage"))->isEditable());
        button("m_btnPrev")->click();
        QCOMPARE(messages(), QStringList());
        search(QStringLiteral("(全部)"));
        QCOMPARE(m_dlg->findChild<QLabel*>(QStringLiteral("m_staticPageInfo"))->text(),
                 QStringLiteral("共计：%1页  %2条记录").arg(pages).arg(readers));
        for (int i = 1; i < pages; ++i)
            button("m_btnNext")->click();
        QCOMPARE(list()->GetItemCount(), lastPageRows);
        button("m_btnNext")->click();
        QCOMPARE(messages(), QStringList{"已是最后一页！"});
    }

    void exportFile_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("rows");
        QTest::newRow("two readers") << "(全部)" << 2;
        QTest::newRow("nobody found: the header alone") << "无此人" << 0;
    }

    // Every column in the table's order, the ones the list hides included.
    void exportFile()
    {
        QFETCH(QString, keyword);
        QFETCH(int, rows);
        button("m_btnExport")->click();
        QCOMPARE(messages(), QStringList{"没有查询信息!"});
        addReader("R2", "李四");
        addReader("R1", "张三");
        search(keyword);
        const QString path = m_work->folder.path() + QStringLiteral("/读者.xls");
        m_work->seams.chooser.answers << path;
        button("m_btnExport")->click();
        QTRY_COMPARE_WITH_TIMEOUT(messages().last(), QStringLiteral("导出数据成功!"), 20000);
        QCOMPARE(m_work->seams.chooser.proposals.value(0).section(QLatin1Char('/'), -1), QStringLiteral("读者档案资料.xls"));
        const Rows written = fileRows(path);
        QCOMPARE(written.size(), rows + 1);
        QCOMPARE(written[0], (QStringList{"编号", "姓名", "性别", "类别", "借书期限", "部门", "借出次数", "未还书数",
                                          "借阅数量限制", "登记日期", "备用", "备注"}));
        if (rows > 0)
            QCOMPARE(written[1], (QStringList{"R1", "张三", "男", "学生", "30", "初一(1)班", "7", "1", "5", "2016-09-01",
                                              "备用", "备注"}));
        m_work->seams.chooser.answers << path;
        button("m_btnExport")->click();
        QCOMPARE(messages().last(), QStringLiteral("文件已存在！"));
    }
};

QTEST_MAIN(TestReaderQuery)
#include "test_readerquery.moc"
