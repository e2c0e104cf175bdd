#include "catalogue/BookAddDlg.h"
#include "catalogue/FindClassNoDlg.h"
#include "controls/ReportListCtrl.h"
#include "core/TextCodec.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace {
int count(const QString& sql, const QVariantList& params = {})
{
    return theApp().m_ado.GetRecordSet(sql, params)->GetValue(0).toInt();
}

void storeBooks(int rows, const QString& title = QStringLiteral("旧书"))
{
    CTransaction t(theApp().m_ado);
    for (int i = 0; i < rows; ++i)
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into bkinfo (条形码, 图书编号, 书名) values ('978', ?, ?)"),
                                          {QStringLiteral("X%1").arg(i, 4, 10, QLatin1Char('0')), title}));
    QVERIFY(t.Commit());
}

// Runs `pick` on the modal window as soon as it is shown.
void whenModal(std::function<void(QWidget*)> pick)
{
    QTimer::singleShot(0, [pick] { pick(QApplication::activeModalWidget()); });
}
}

class TestBookAdd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void comboDefaults();
    void nullPublisherShowsEmpty();
    void multiCopyAdd();
    void duplicateMidwayKeepsEarlierCopies();
    void priceRefused_data();
    void priceRefused();
    void nextNumberButton_data();
    void nextNumberButton();
    void classificationPicksType_data();
    void classificationPicksType();
    void pickerWithoutFile();
    void paging_data();
    void paging();
    void loadEditSave();
    void deleteSkipsLentCopy();
    void keys_data();
    void keys();
    void copyNumberButton();
    void classNumberTypedInCapitals();
    void calculatorFillsPrice();

private:
    template <typename T> T* find(const char* name)
    {
        T* w = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    void type(const char* name, const QString& value) { find<QLineEdit>(name)->setText(value); }
    void click(const char* name) { find<QPushButton>(name)->click(); }
    void fillBook(const QString& number);

    std::unique_ptr<ScriptedSeams> seams;
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<CBookAddDlg> dialog;
};

void TestBookAdd::init()
{
    seams = std::make_unique<ScriptedSeams>();
    folder = std::make_unique<TestProgramFolder>();
    QVERIFY(folder->isReady());
    dialog = std::make_unique<CBookAddDlg>();
    dialog->show();
}

void TestBookAdd::cleanup()
{
    dialog.reset();
    folder.reset();
    seams.reset();
}

void TestBookAdd::fillBook(const QString& number)
{
    type("m_edtIsbn", QStringLiteral("9787020002207"));
    type("m_edtBookNo", number);
    type("m_edtTitle", QStringLiteral("红楼梦"));
    type("m_edtPrice", QStringLiteral("59.70"));
}

void TestBookAdd::comboDefaults()
{
    QCOMPARE(dialog->objectName(), QStringLiteral("CBookAddDlg"));
    QCOMPARE(find<QComboBox>("m_cmbFormat")->currentText(), QStringLiteral("16开"));
    QCOMPARE(find<QComboBox>("m_cmbEdition")->currentText(), QStringLiteral("第一版"));
    QCOMPARE(find<QComboBox>("m_cmbEdition")->currentIndex(), 2);
    QCOMPARE(find<QComboBox>("m_cmbBookType")->currentText(), QStringLiteral("A马克思主义、列宁主义、毛泽东思想、邓小平理论"));
    QCOMPARE(find<QComboBox>("m_cmbShelf")->currentText(), QStringLiteral("2号书架"));
    QCOMPARE(find<QComboBox>("m_cmbPublisher")->currentText(), QString());
    QCOMPARE(find<QComboBox>("m_cmbCopies")->currentText(), QStringLiteral("1"));
    QCOMPARE(text("m_edtEntryDate"), QStringLiteral("2017-04-11"));
    QCOMPARE(text("m_edtSearch"), QStringLiteral("(全部)"));
    QVERIFY(!find<QPushButton>("m_btnSave")->isEnabled());
    QVERIFY(seams->prompter.messages.isEmpty());
}

void TestBookAdd::nullPublisherShowsEmpty()
{
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral(
        "insert into chubansheinfo (ISBN, 出版社名) values ('7-02', '人民文学出版社'), ('7-01', NULL), ('7-10', '中华书局')")));
    dialog = std::make_unique<CBookAddDlg>();
    QComboBox* publishers = find<QComboBox>("m_cmbPublisher");
    QCOMPARE(publishers->count(), 3);
    QCOMPARE(publishers->itemText(0), QString());
    QCOMPARE(publishers->currentText(), QStringLiteral("人民文学出版社"));
    QVERIFY(seams->prompter.messages.isEmpty());
}

void TestBookAdd::multiCopyAdd()
{
    storeBooks(2, QStringLiteral("红楼梦"));
    fillBook(QStringLiteral("B0099"));
    find<QCheckBox>("m_chkAddCopies")->setChecked(true);
    find<QComboBox>("m_cmbCopies")->setCurrentText(QStringLiteral("3"));
    click("m_btnAdd");
    QCOMPARE(seams->prompter.texts(), QStringList());
    for (const auto& [number, copy] : {std::pair{"B0099", "3"}, {"B0100", "4"}, {"B0101", "5"}})
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 图书编号=? and 复本号=? and 开本='16开'"),
                       {QString::fromLatin1(number), QString::fromLatin1(copy)}), 1);
    QCOMPARE(text("m_edtBookNo"), QStringLiteral("B0102"));
    QCOMPARE(text("m_edtCopyNo"), QStringLiteral("6"));
    QCOMPARE(text("m_edtTitle"), QStringLiteral("红楼梦"));
    QCOMPARE(find<CReportListCtrl>("m_listLocal")->GetItemCount(), 3);
}

void TestBookAdd::duplicateMidwayKeepsEarlierCopies()
{
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into bkinfo (图书编号, 书名) values ('b0100', '别的书')")));
    fillBook(QStringLiteral("B0099"));
    find<QCheckBox>("m_chkAddCopies")->setChecked(true);
    find<QComboBox>("m_cmbCopies")->setCurrentText(QStringLiteral("3"));
    click("m_btnAdd");
    QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("编号B0100已存在，请输入其他编号!\n已添加的1本保留。")}));
    QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 书名='红楼梦'")), 1);
    QCOMPARE(text("m_edtBookNo"), QStringLiteral("B0099"));
}

void TestBookAdd::priceRefused_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("message");
    QTest::newRow("two points") << "8.9.0" << "单价里含有非数字!";
    QTest::newRow("comma") << "12,5" << "单价里含有非数字!";
    QTest::newRow("empty") << "" << "请输入图书单价!";
}

void TestBookAdd::priceRefused()
{
    QFETCH(QString, price);
    QFETCH(QString, message);
    fillBook(QStringLiteral("B1"));
    type("m_edtPrice", price);
    click("m_btnAdd");
    QCOMPARE(seams->prompter.texts(), QStringList({message}));
    QCOMPARE(count(QStringLiteral("select count(*) from bkinfo")), 0);
}

void TestBookAdd::nextNumberButton_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("next");
    QTest::newRow("leading zeros") << "B0099" << "B0100";
    QTest::newRow("year and serial") << "TS2023001" << "TS2023002";
    QTest::newRow("grows") << "999" << "1000";
    QTest::newRow("no digits") << "ABC" << "ABC1";
    QTest::newRow("chinese prefix") << "图书0099" << "图书0100";
    QTest::newRow("chinese with digits inside") << "二0一7馆A9" << "二0一7馆A10";
    QTest::newRow("past 9 digits") << "A99999999999" << "A100000000000";
    QTest::newRow("20 digits") << "12345678901234567899" << "12345678901234567900";
}

void TestBookAdd::nextNumberButton()
{
    QFETCH(QString, number);
    QFETCH(QString, next);
    type("m_edtBookNo", number);
    click("m_btnIncBookNo");
    QCOMPARE(text("m_edtBookNo"), next);
}

void TestBookAdd::classificationPicksType_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("classNo");
    QTest::addColumn<QString>("bookType");
    QTest::newRow("I247.5") << "I247.5*长篇小说" << "I247.5" << "I文学";
    QTest::newRow("TP311") << "TP311*程序设计" << "TP311" << "TP自动化技术、计算机技术";
    QTest::newRow("K09, no type holds K0: the last one") << "K09*史学史" << "K09" << "Z综合性图书";
}

void TestBookAdd::classificationPicksType()
{
    QFETCH(QString, node);
    QFETCH(QString, classNo);
    QFETCH(QString, bookType);
    QVERIFY(QDir().mkpath(QStringLiteral("data")));
    QFile file(QStringLiteral("data/tree.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(toGbk(QStringLiteral("X*根\n\t%1\n").arg(node)));
    file.close();
    whenModal([node](QWidget* modal) {
        auto* picker = qobject_cast<CFindClassNoDlg*>(modal);
        QVERIFY(picker);
        auto* tree = picker->findChild<QTreeWidget*>(QStringLiteral("m_treeClass"));
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QCOMPARE(tree->currentItem()->text(0), node);
        picker->findChild<QPushButton*>(QStringLiteral("m_btnOK"))->click();
    });
    click("m_btnFindClassNo");
    QCOMPARE(text("m_edtClassNo"), classNo);
    QCOMPARE(find<QComboBox>("m_cmbBookType")->currentText(), bookType);
}

void TestBookAdd::pickerWithoutFile()
{
    CFindClassNoDlg picker;
    QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("没有找到分类数据文件!")}));
    picker.findChild<QPushButton*>(QStringLiteral("m_btnOK"))->click();
    QCOMPARE(picker.result(), int(QDialog::Accepted));
    QCOMPARE(picker.m_strClassNo, QString());
}

void TestBookAdd::paging_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("lastPageRows");
    QTest::newRow("100") << 100 << "共计：1页  100条记录" << 100;
    QTest::newRow("101") << 101 << "共计：2页  101条记录" << 1;
    QTest::newRow("200") << 200 << "共计：2页  200条记录" << 100;
}

void TestBookAdd::paging()
{
    QFETCH(int, rows);
    QFETCH(QString, total);
    QFETCH(int, lastPageRows);
    storeBooks(rows);
    auto* list = find<CReportListCtrl>("m_listLocal");
    click("m_btnSearchLocal");
    QCOMPARE(find<QLabel>("m_lblTotal")->text(), total);
    QCOMPARE(list->GetItemCount(), 100);
    QCOMPARE(list->GetItemText(0, 1), QStringLiteral("X0000"));
    click("m_btnPrevPage");
    QCOMPARE(seams->prompter.lastText(), QStringLiteral("已是第一页！"));
    if (rows > 100) {
        click("m_btnNextPage");
        QCOMPARE(list->GetItemText(0, 1), QStringLiteral("X0100"));
    }
    QCOMPARE(list->GetItemCount(), lastPageRows);
    click("m_btnNextPage");
    QCOMPARE(seams->prompter.lastText(), QStringLiteral("已是最后一页！"));
    QCOMPARE(seams->prompter.messages.size(), 2);
}

void TestBookAdd::loadEditSave()
{
    fillBook(QStringLiteral("E1"));
    type("m_edtAuthor", QStringLiteral("曹雪芹"));
    click("m_btnAdd");
    auto* list = find<CReportListCtrl>("m_listLocal");
    QCOMPARE(list->GetItemCount(), 1);
    type("m_edtBookNo", QString());
    type("m_edtTitle", QString());
    list->SetSelected(0, true);
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    QCOMPARE(text("m_edtBookNo"), QStringLiteral("E1"));
    QCOMPARE(text("m_edtAuthor"), QStringLiteral("曹雪芹"));
    click("m_btnEdit");
    QVERIFY(!find<QLineEdit>("m_edtBookNo")->isEnabled());
    type("m_edtTitle", QStringLiteral("石头记'"));
    type("m_edtAuthor", QString());
    click("m_btnSave");
    QCOMPARE(seams->prompter.texts(), QStringList());
    QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 书名=? and 著译者='曹雪芹'"), {QStringLiteral("石头记'")}), 1);
    QVERIFY(find<QLineEdit>("m_edtBookNo")->isEnabled());
}

void TestBookAdd::deleteSkipsLentCopy()
{
    storeBooks(2);
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("update bkinfo set 是否借出=1 where 图书编号='X0000'")));
    click("m_btnSearchLocal");
    auto* list = find<CReportListCtrl>("m_listLocal");
    click("m_btnDelete");
    QCOMPARE(seams->prompter.lastText(), QStringLiteral("没有选定记录!\n"));
    list->SetSelected(0, true);
    click("m_btnDelete");
    QCOMPARE(seams->prompter.lastText(), QStringLiteral("图书X0000已借出，不能删除！"));
    list->SetSelected(0, false);
    list->SetSelected(1, true);
    click("m_btnDelete");
    QCOMPARE(seams->prompter.messages.last().caption, QStringLiteral("清除记录"));
    QCOMPARE(count(QStringLiteral("select count(*) from bkinfo")), 1);
    QCOMPARE(list->GetItemCount(), 1);
}

void TestBookAdd::keys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("bookNo");
    QTest::addColumn<QString>("copyNo");
    QTest::addColumn<int>("stored");
    QTest::newRow("Up counts the number") << "m_edtAuthor" << int(Qt::Key_Up) << "B0100" << "" << 0;
    QTest::newRow("Down computes the copy") << "m_edtPages" << int(Qt::Key_Down) << "B0099" << "2" << 0;
    QTest::newRow("Enter in the number computes the copy") << "m_edtBookNo" << int(Qt::Key_Return) << "B0099" << "2" << 0;
    QTest::newRow("Enter elsewhere moves on") << "m_edtAuthor" << int(Qt::Key_Return) << "B0099" << "" << 0;
    QTest::newRow("F2 adds") << "m_edtPages" << int(Qt::Key_F2) << "B0100" << "3" << 1;
}

void TestBookAdd::keys()
{
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(QString, bookNo);
    QFETCH(QString, copyNo);
    QFETCH(int, stored);
    storeBooks(1, QStringLiteral("红楼梦"));
    fillBook(QStringLiteral("B0099"));
    dialog->activateWindow();
    QLineEdit* target = find<QLineEdit>(field.toLatin1().constData());
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(text("m_edtBookNo"), bookNo);
    QCOMPARE(text("m_edtCopyNo"), copyNo);
    QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 图书编号='B0099'")), stored);
    QVERIFY(dialog->isVisible());
    QCOMPARE(seams->prompter.texts(), QStringList());
}

void TestBookAdd::copyNumberButton()
{
    click("m_btnCalcCopyNo");
    QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("请输入书名！")}));
    storeBooks(3, QStringLiteral("O'Neil"));
    type("m_edtTitle", QStringLiteral("o'neil"));
    click("m_btnCalcCopyNo");
    QCOMPARE(text("m_edtCopyNo"), QStringLiteral("4"));
}

void TestBookAdd::classNumberTypedInCapitals()
{
    QTest::keyClicks(find<QLineEdit>("m_edtClassNo"), QStringLiteral("tp311"));
    QCOMPARE(text("m_edtClassNo"), QStringLiteral("TP311"));
    QCOMPARE(find<QComboBox>("m_cmbBookType")->currentText(), QStringLiteral("TP自动化技术、计算机技术"));
}

void TestBookAdd::calculatorFillsPrice()
{
    whenModal([](QWidget* modal) {
        QVERIFY(modal);
        for (const char* key : {"m_btnDigit1", "m_btnDigit2", "m_btnOK"})
            modal->findChild<QPushButton*>(QString::fromLatin1(key))->click();
    });
    click("m_btnCalculator");
    QCOMPARE(text("m_edtPrice"), QStringLiteral("12."));
}

QTEST_MAIN(TestBookAdd)
#include "test_bookadd.moc"
