#include "catalogue/BookTypeDlg.h"
#include "catalogue/CatalogueWindows.h"
#include "catalogue/EditBookDlg.h"
#include "catalogue/PublisherDlg.h"
#include "catalogue/ShelfSettingDlg.h"
#include "controls/CommandTable.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <QLineEdit>
#include <QPushButton>

namespace {
std::unique_ptr<QDialog> openWindow(int command)
{
    CommandTable table;
    registerCatalogueWindows(table);
    return table.create(command);
}

QStringList firstColumn(const CReportListCtrl* list)
{
    QStringList texts;
    for (int row = 0; row < list->GetItemCount(); ++row)
        texts << list->GetItemText(row, 0);
    return texts;
}
}

class TestReferenceWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addAndDelete_data();
    void addAndDelete();
    void duplicateKeyFails();
    void nullKeyListsEmpty();
    void editWindowSavesByNumber();

private:
    std::unique_ptr<ScriptedSeams> seams;
    std::unique_ptr<TestProgramFolder> folder;
};

void TestReferenceWindows::init()
{
    seams = std::make_unique<ScriptedSeams>();
    folder = std::make_unique<TestProgramFolder>();
    QVERIFY(folder->isReady());
}

void TestReferenceWindows::cleanup()
{
    folder.reset();
    seams.reset();
}

void TestReferenceWindows::addAndDelete_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("upperMissing");
    QTest::addColumn<QString>("lowerMissing");
    QTest::addColumn<QString>("success");
    QTest::addColumn<QString>("noSelection");
    QTest::newRow("book types") << 32799 << "CBookTypeDlg" << "请输入分类代码!\n" << "请输入类型名称!\n"
                                << "数据添加成功！" << "请选定数据!\n";
    QTest::newRow("publishers") << 32800 << "CPublisherDlg" << "请输入数据!\n" << "出版社名!\n"
                                << "数据添加成功！" << "请选定数据!\n";
    QTest::newRow("shelves") << 32822 << "CShelfSettingDlg" << "请输入存放位置名!\n" << "" << "" << "请选定记录!\n";
}

void TestReferenceWindows::addAndDelete()
{
    QFETCH(int, command);
    QFETCH(QString, className);
    QFETCH(QString, upperMissing);
    QFETCH(QString, lowerMissing);
    QFETCH(QString, success);
    QFETCH(QString, noSelection);
    std::unique_ptr<QDialog> window = openWindow(command);
    QVERIFY(window);
    QCOMPARE(window->objectName(), className);
    auto* upper = window->findChild<QLineEdit*>(QStringLiteral("m_edtUpper"));
    auto* lower = window->findChild<QLineEdit*>(QStringLiteral("m_edtLower"));
    auto* add = window->findChild<QPushButton*>(QStringLiteral("m_btnAdd"));
    auto* list = window->findChild<CReportListCtrl*>(QStringLiteral("m_list"));
    const int rowsBefore = list->GetItemCount();

    add->click();
    QCOMPARE(seams->prompter.lastText(), upperMissing);
    upper->setText(QStringLiteral("甲'1"));
    seams->prompter.messages.clear();
    add->click();
    QCOMPARE(seams->prompter.texts(), lowerMissing.isEmpty() ? QStringList() : QStringList({lowerMissing}));
    if (!lowerMissing.isEmpty()) {
        lower->setText(QStringLiteral("乙"));
        seams->prompter.messages.clear();
        add->click();
        QCOMPARE(seams->prompter.texts(), QStringList({success}));
    }
    QCOMPARE(list->GetItemCount(), rowsBefore + 1);
    QVERIFY(firstColumn(list).contains(QStringLiteral("甲'1")));

    window->findChild<QPushButton*>(QStringLiteral("m_btnDelete"))->click();
    QCOMPARE(seams->prompter.lastText(), noSelection);
    list->SetSelected(static_cast<int>(firstColumn(list).indexOf(QStringLiteral("甲'1"))), true);
    window->findChild<QPushButton*>(QStringLiteral("m_btnDelete"))->click();
    QCOMPARE(list->GetItemCount(), rowsBefore);
    QVERIFY(upper->text().isEmpty() && lower->text().isEmpty());
}

void TestReferenceWindows::duplicateKeyFails()
{
    CBookTypeDlg window;
    window.findChild<QLineEdit*>(QStringLiteral("m_edtUpper"))->setText(QStringLiteral("i"));
    window.findChild<QLineEdit*>(QStringLiteral("m_edtLower"))->setText(QStringLiteral("又一个文学"));
    window.findChild<QPushButton*>(QStringLiteral("m_btnAdd"))->click();
    QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("操作失败")}));
}

void TestReferenceWindows::nullKeyListsEmpty()
{
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into shujiainfo (存放位置名, 备注) values ('阅览室', NULL)")));
    CShelfSettingDlg window;
    auto* list = window.findChild<CReportListCtrl*>(QStringLiteral("m_list"));
    const int row = static_cast<int>(firstColumn(list).indexOf(QStringLiteral("阅览室")));
    QVERIFY(row >= 0);
    QCOMPARE(list->GetItemText(row, 1), QString());
    QVERIFY(seams->prompter.messages.isEmpty());
}

void TestReferenceWindows::editWindowSavesByNumber()
{
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral(
        "insert into bkinfo (图书编号, 书名, 著译者) values ('E1', '水浒传', '施耐庵'), ('E2', '水浒', '')")));
    CEditBookDlg window;
    QCOMPARE(window.objectName(), QStringLiteral("CEditBookDlg"));
    auto* keyword = window.findChild<QLineEdit*>(QStringLiteral("m_edtKeyword"));
    auto* list = window.findChild<CReportListCtrl*>(QStringLiteral("m_list"));
    auto* find = window.findChild<QPushButton*>(QStringLiteral("m_btnFind"));
    auto* save = window.findChild<QPushButton*>(QStringLiteral("m_btnSave"));
    find->click();
    QCOMPARE(seams->prompter.lastText(), QStringLiteral("请输入用查询信息！"));
    keyword->setText(QStringLiteral("e2' or 1=1"));
    find->click();
    QCOMPARE(seams->prompter.lastText(), QStringLiteral("图书库没有数据!"));
    keyword->setText(QStringLiteral("水浒"));
    find->click();
    QCOMPARE(list->GetItemCount(), 2);
    save->click();
    QCOMPARE(seams->prompter.lastText(), QStringLiteral("没有数据！"));
    list->SetSelected(1, true);
    list->SetItemText(1, 1, QStringLiteral("E20"));
    list->SetItemText(1, 5, QStringLiteral("水浒全传"));
    seams->prompter.messages.clear();
    save->click();
    QCOMPARE(seams->prompter.texts(), QStringList());
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select 图书编号, 书名 from bkinfo order by 图书编号"));
    QCOMPARE(rs->GetRowTexts(), QStringList({"E1", "水浒传"}));
    rs->MoveNext();
    QCOMPARE(rs->GetRowTexts(), QStringList({"E20", "水浒全传"}));
    list->SetItemText(1, 1, QStringLiteral("e1"));
    save->click();
    QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("操作失败")}));
}

QTEST_MAIN(TestReferenceWindows)
#include "test_referencewindows.moc"
