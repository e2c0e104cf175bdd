#include "CirculationFixture.h"
#include "CirculationLists.h"
#include "circulation/SchoolLendHistoryPage.h"
#include "circulation/SchoolLendStatPage.h"
#include "controls/ReportListCtrl.h"
#include "core/TextCodec.h"
#include "db/AppState.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void history(const QString& book, const QString& title, const QString& kind, const QString& when,
             const QVariant& school, const QString& readerType = QStringLiteral("学生"))
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into jieyuelishiinfogx values (?, ?, 'R1', '张三', ?, ?, ?, '管理员', ?, '一班')"),
        {book, title, readerType, kind, when, school}));
}

// Two rows of 实验小学 on one day, one of 第二中学 (a return, by a teacher) and one without a school.
void fourSchoolRows()
{
    history("B1", "红楼梦", "图书借阅", "2017-04-11", QStringLiteral("实验小学"));
    history("B2", "水浒传", "图书归还", "2017-04-12", QStringLiteral("第二中学"), QStringLiteral("教师"));
    history("B3", "西游记", "图书借阅", "2017-04-13", QVariant());
    history("B4", "三国演义", "图书借阅", "2017-04-11", QStringLiteral("实验小学"));
}

void manyRows(int count, const QString& school)
{
    for (int i = 0; i < count; ++i)
        history(QStringLiteral("B%1").arg(i), QStringLiteral("书%1").arg(i), QStringLiteral("图书借阅"),
                QStringLiteral("2017-04-11"), school);
}

QComboBox* combo(QWidget& w, const char* name) { return w.findChild<QComboBox*>(name); }

// Chooses the school's entry, or types the text over the entry chosen when there is none.
void query(CSchoolLendHistoryPage& page, const QString& unit)
{
    QComboBox* units = combo(page, "m_cboUnit");
    if (units->findText(unit) >= 0)
        units->setCurrentIndex(units->findText(unit));
    else
        units->setEditText(unit);
    press(page, "m_btnQuery");
}

QStringList rows(CReportListCtrl* l)
{
    QStringList texts;
    for (int row = 0; row < l->GetItemCount(); ++row)
        texts << l->GetRowTexts(row).join(QLatin1Char('|'));
    return texts;
}
}

// The merged lending history of several schools: its pages, its export and its counts.
class TestSchoolLendQuery : public QObject {
    Q_OBJECT

    std::unique_ptr<Workplace> m_work;
    QStringList texts() const { return m_work->seams.prompter.texts(); }

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    void pagesOfFifty_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("lastPageRows");
        QTest::newRow("50") << 50 << 1 << 50;
        QTest::newRow("51") << 51 << 2 << 1;
    }
    void pagesOfFifty()
    {
        QFETCH(int, count);
        QFETCH(int, pages);
        QFETCH(int, lastPageRows);
        manyRows(count, QStringLiteral("实验小学"));
        CSchoolLendHistoryPage page;
        press(page, "m_btnNext");  // before any query: nothing
        QVERIFY(texts().isEmpty());
        query(page, QStringLiteral("(全部)"));
        QCOMPARE(page.findChild<QLabel*>("m_staticPageInfo")->text(),
                 QStringLiteral("共计：%1页  %2条记录").arg(pages).arg(count));
        QCOMPARE(combo(page, "m_cboPage")->count(), pages);
        QCOMPARE(list(page)->GetItemCount(), std::min(count, 50));
        QCOMPARE(list(page)->GetRowTexts(0),
                 QStringList({"实验小学", "书0", "R1", "张三", "学生", "图书借阅", "2017-04-11", "管理员"}));
        for (int p = 1; p < pages; ++p)
            press(page, "m_btnNext");
        QCOMPARE(list(page)->GetItemCount(), lastPageRows);
        press(page, "m_btnNext");
        QCOMPARE(texts(), QStringList{"已是最后一页！"});
    }

    void schoolsAreChosen()
    {
        fourSchoolRows();
        CSchoolLendHistoryPage page;
        QComboBox* units = combo(page, "m_cboUnit");
        QStringList entries;
        for (int i = 0; i < units->count(); ++i)
            entries << units->itemText(i);
        entries.sort();
        QCOMPARE(entries, QStringList({"", "(全部)", "实验小学", "第二中学"}));
        // The first entry is chosen: here the empty one of the rows without a school.
        QCOMPARE(units->currentIndex(), 0);
        press(page, "m_btnQuery");

        query(page, QStringLiteral("(全部)"));
        QCOMPARE(list(page)->GetItemCount(), 4);
        query(page, QStringLiteral("实验小学"));
        QCOMPARE(rows(list(page)), QStringList({"实验小学|红楼梦|R1|张三|学生|图书借阅|2017-04-11|管理员",
                                                "实验小学|三国演义|R1|张三|学生|图书借阅|2017-04-11|管理员"}));
        // A text typed over the entry chosen is not what is asked for.
        query(page, QStringLiteral("第二中学"));
        query(page, QStringLiteral("没有的学校"));
        QCOMPARE(rows(list(page)), QStringList{"第二中学|水浒传|R1|张三|教师|图书归还|2017-04-12|管理员"});
        query(page, QString());
        QCOMPARE(texts(), (QStringList{"请输入用查询信息！", "请输入用查询信息！"}));
    }

    // A query without hits empties the list and leaves the page line and selector as they
    // were; the pages are then cut from the empty result, and a page past its end cannot be.
    void noHitsKeepThePageLine()
    {
        manyRows(51, QStringLiteral("实验小学"));
        history("T1", "红楼梦", "图书借阅", "2017-04-11", QStringLiteral("第二中学"));
        CSchoolLendHistoryPage page;
        query(page, QStringLiteral("(全部)"));
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("delete from jieyuelishiinfogx where 所在单位='第二中学'")));
        query(page, QStringLiteral("第二中学"));
        QCOMPARE(texts(), QStringList{"没有找到相关信息的图书!"});
        QCOMPARE(list(page)->GetItemCount(), 0);
        QCOMPARE(page.findChild<QLabel*>("m_staticPageInfo")->text(), QStringLiteral("共计：2页  52条记录"));
        QCOMPARE(combo(page, "m_cboPage")->count(), 2);
        press(page, "m_btnNext");
        QCOMPARE(texts(), (QStringList{"没有找到相关信息的图书!", "操作失败"}));
        QCOMPARE(list(page)->GetItemCount(), 0);
    }

    void exportWritesTheWholeResult()
    {
        manyRows(51, QStringLiteral("实验小学"));
        history("T1", "带\t制表符", "图书借阅", "2017-04-11", QStringLiteral("第二中学"));
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("update jieyuelishiinfogx set 部门=NULL where 图书编号='T1'")));
        CSchoolLendHistoryPage page;
        press(page, "m_btnExport");
        QCOMPARE(texts(), QStringList{"没有查询信息!"});

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("结果.xls"));
        QVERIFY(writeFile(path, "old"));
        query(page, QStringLiteral("(全部)"));
        m_work->seams.chooser.answers << path;
        press(page, "m_btnExport");
        QTRY_COMPARE(texts().size(), 2);
        QCOMPARE(texts().last(), QStringLiteral("导出数据成功!"));
        const QList<QByteArray> lines = fileBytes(path).split('\n');
        QCOMPARE(lines.size(), 54);  // header, 52 rows, nothing after the last line end
        QCOMPARE(lines[0], toGbk("图书编号\t书名\t读者编号\t读者姓名\t读者类别\t操作性质\t操作时间\t操作员\t所在单位\t部门\t\r"));
        QCOMPARE(lines[1], toGbk("B0\t书0\tR1\t张三\t学生\t图书借阅\t2017-04-11\t管理员\t实验小学\t一班\r"));
        QCOMPARE(lines[52], toGbk("T1\t带 制表符\tR1\t张三\t学生\t图书借阅\t2017-04-11\t管理员\t第二中学\r"));
        QVERIFY(lines[53].isEmpty());

        m_work->seams.chooser.answers << dir.filePath(QStringLiteral("没有的目录/结果.xls"));
        press(page, "m_btnExport");
        QTRY_COMPARE(texts().size(), 3);
        QVERIFY2(texts().last().startsWith(QStringLiteral("导出数据失败!\n不能写文件：")), qPrintable(texts().last()));
    }

    void groupings_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("groups");
        QTest::newRow("school") << "m_radioUnit" << "单位名称" << QStringList{"|1", "实验小学|2", "第二中学|1"};
        QTest::newRow("kind") << "m_radioKind" << "操作性质" << QStringList{"图书借阅|3", "图书归还|1"};
        QTest::newRow("reader type") << "m_radioReaderType" << "读者类别" << QStringList{"学生|3", "教师|1"};
        QTest::newRow("day") << "m_radioTime" << "操作时间"
                             << QStringList{"2017-04-11|2", "2017-04-12|1", "2017-04-13|1"};
    }
    void groupings()
    {
        QFETCH(QString, radio);
        QFETCH(QString, heading);
        QFETCH(QStringList, groups);
        fourSchoolRows();
        CSchoolLendStatPage page;
        auto* button = page.findChild<QRadioButton*>(radio);
        button->click();
        button->click();  // again: the same list, not twice
        QCOMPARE(list(page)->headerItem()->text(0), heading);
        QCOMPARE(list(page)->headerItem()->text(1), QStringLiteral("记录个数"));
        QCOMPARE(rows(list(page)), groups);
        QVERIFY(texts().isEmpty());
    }

    // A failed count leaves the list as it was; the next click counts again.
    void failedCountKeepsTheList()
    {
        fourSchoolRows();
        CSchoolLendStatPage page;
        page.findChild<QRadioButton*>("m_radioUnit")->click();
        const QStringList schools = rows(list(page));
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("alter table jieyuelishiinfogx rename to gone")));
        page.findChild<QRadioButton*>("m_radioKind")->click();
        QCOMPARE(texts(), QStringList{"操作失败！"});
        QCOMPARE(list(page)->headerItem()->text(0), QStringLiteral("单位名称"));
        QCOMPARE(rows(list(page)), schools);
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("alter table gone rename to jieyuelishiinfogx")));
        page.findChild<QRadioButton*>("m_radioKind")->click();
        QCOMPARE(list(page)->headerItem()->text(0), QStringLiteral("操作性质"));
        QCOMPARE(rows(list(page)), QStringList({"图书借阅|3", "图书归还|1"}));
    }

    void emptyHistory()
    {
        CSchoolLendStatPage stat;
        stat.findChild<QRadioButton*>("m_radioKind")->click();
        QCOMPARE(list(stat)->GetItemCount(), 0);
        QCOMPARE(list(stat)->headerItem()->text(0), QStringLiteral("操作性质"));
        stat.findChild<QRadioButton*>("m_radioTotal")->click();
        CSchoolLendHistoryPage page;
        QCOMPARE(combo(page, "m_cboUnit")->count(), 1);
        query(page, QStringLiteral("(全部)"));
        QCOMPARE(texts(), QStringList{"没有找到相关信息的图书!"});
    }
};

QTEST_MAIN(TestSchoolLendQuery)
#include "test_school_lend_query.moc"
