// Controls stay where they are: a search that fills a window's list, its total line, page
// indicator, counts or status texts moves no control and changes no control's size.
#include "app/Windows.h"
#include "controls/CommandTable.h"
#include "db/AppState.h"
#include "printing/BarcodeLayoutFile.h"
#include "printing/LayoutRecord.h"
#include "sheets/SpreadsheetFile.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QScopeGuard>
#include <QtTest>

namespace {

void execute(const QString& sql)
{
    QVERIFY2(theApp().m_ado.ExecuteSql(sql), qPrintable(sql));
}

// Rows for every list the windows fill: copies and periodicals, some of them lent, readers,
// loans, this school's and several schools' lending history, and losses.
void storeRows()
{
    for (int i = 1; i <= 30; ++i) {
        const QString n = QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
        execute(QStringLiteral("insert into bkinfo (条形码, 图书编号, 分类号, 图书类别, 复本号, 书名, 著译者, 出版处, 单价, "
                               "书架名称, 入库时间, 是否借出) values ('9787020002207', 'TS%1', 'I247', '文学', '1', "
                               "'红楼梦第%1册', '曹雪芹', '人民文学出版社', 30, '1号书架', '2017-04-01', %2)")
                    .arg(n)
                    .arg(i <= 5 ? 1 : 0));
        execute(QStringLiteral("insert into qikaninfo (条形码, 期刊编号, 中图分类, 分类名称, 复本号, 期刊名称, 出版社名, "
                               "第几期, 期刊单价, 存放位置, 入库时间, 是否借出) values ('9771000', 'QK%1', 'G', "
                               "'文化', '1', '读者', '读者出版社', '%2', 5.5, '1号书架', '2017-04-01', %3)")
                    .arg(n)
                    .arg(i)
                    .arg(i <= 3 ? -1 : 0));
        execute(QStringLiteral("insert into readerinfo (编号, 姓名, 性别, 类别, 借书期限, 部门, 借出次数, 借阅数量限制, "
                               "登记日期) values ('2024000000%1', '欧阳小明%1', '男', '学生', 30, '高一年级(3)班', 0, 5, "
                               "'2017-01-01')")
                    .arg(n.right(3)));
        execute(QStringLiteral("insert into jieyuelishiinfo values ('TS%1', '红楼梦', '2024000000001', '欧阳小明001', "
                               "'学生', '图书借阅', '2017-03-01 09:00:00', '超级用户', '高一年级(3)班')")
                    .arg(n));
        execute(QStringLiteral("insert into jieyuelishiinfogx values ('TS%1', '红楼梦', '2024000000001', '欧阳小明', "
                               "'学生', '图书借阅', '2017-03-01 09:00:00', '超级用户', '实验小学', '高一年级(3)班')")
                    .arg(n));
    }
    for (int i = 1; i <= 5; ++i)
        execute(QStringLiteral("insert into jieyueinfo (图书编号, 书名, 条形码, 读者编号, 读者姓名, 读者类别, 借书日期, "
                               "应还时间, 图书价格, 操作员, 部门) values ('TS000%1', '红楼梦', '9787020002207', "
                               "'2024000000001', '欧阳小明001', '学生', '2017-01-01', '2017-02-01', 30, '超级用户', "
                               "'高一年级(3)班')")
                    .arg(i));
    for (int i = 1; i <= 3; ++i)
        execute(QStringLiteral("insert into qkjieyueinfo (期刊编号, 期刊名称, 读者编号, 读者姓名, 读者类别, 借书日期, "
                               "应还时间, 图书价格, 操作员) values ('QK000%1', '读者', '2024000000001', '欧阳小明001', "
                               "'学生', '2017-04-01', '2017-05-01', 5, '超级用户')")
                    .arg(i));
    execute(QStringLiteral("insert into bkinfo_diushi (图书编号, 书名, 单价, 读者编号, 读者姓名, 挂失日期, 操作员) "
                           "values ('L0001', '西游记', 20, '9999', 'system', '2017-03-01', '超级用户')"));
    execute(QStringLiteral("insert into qkinfo_diushi (期刊编号, 期刊名称, 期刊单价, 读者编号, 读者姓名, 挂失日期, 操作员) "
                           "values ('QL0001', '读者', 5, '9999', 'system', '2017-03-01', '超级用户')"));
    execute(QStringLiteral("update readerinfo set 未还书数=8 where 编号='2024000000001'"));
}

// A workbook of two readers to import.
QString writeReaders(const QString& path)
{
    Sheet sheet;
    sheet.sheetName = QStringLiteral("Sheet1");
    for (const QString& row : {QStringLiteral("编号,姓名,性别,类别,借书期限,部门,借出次数,未还书数,借阅数量限制,登记日期,备用,备注"),
                               QStringLiteral("R1,张三,男,学生,30,一班,0,0,5,2017-01-01,,"),
                               QStringLiteral("R2,李四,女,学生,30,一班,0,0,5,2017-01-01,,")}) {
        CellRow cells;
        for (const QString& text : row.split(QLatin1Char(',')))
            cells.push_back(SheetCell::fromText(text));
        sheet.rows.push_back(cells);
    }
    QString error;
    if (!saveSpreadsheet(path, {&sheet}, QLatin1Char(','), true, &error))
        qWarning() << error;
    return path;
}

// The window's shown controls, each by its path of object names, with its rectangle in the
// window. What an item view or a combo box holds inside is the control's own business, as the
// scroll bars that a filled list shows.
using Places = QMap<QString, QRect>;

// What the window's labels, fields and lists show, so that a test can tell that a search
// changed it.
QStringList contents(const QWidget* window)
{
    QStringList shown;
    for (const QLabel* label : window->findChildren<QLabel*>())
        shown << label->text();
    for (const QLineEdit* field : window->findChildren<QLineEdit*>())
        shown << field->text();
    for (const QAbstractItemView* list : window->findChildren<QAbstractItemView*>())
        shown << QString::number(list->model() ? list->model()->rowCount() : 0);
    return shown;
}

void collect(QWidget* window, QWidget* parent, const QString& path, Places& places)
{
    for (QWidget* control : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isVisible() || control->isWindow())
            continue;
        const QString name = control->objectName();
        const bool named = !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
        const QString here = named ? path + QLatin1Char('/') + name : path;
        if (named)
            places.insert(here, QRect(control->mapTo(window, QPoint(0, 0)), control->size()));
        if (!qobject_cast<QAbstractItemView*>(control) && !control->inherits("QComboBox"))
            collect(window, control, here, places);
    }
}

Places placesOf(QWidget* window)
{
    QApplication::processEvents();
    QApplication::processEvents();
    Places places{{QStringLiteral("window"), QRect(QPoint(), window->size())}};
    collect(window, window, QString(), places);
    return places;
}

template <typename T> T* shown(QWidget* window, const QString& name)
{
    for (T* found : window->findChildren<T*>(name))
        if (found->isVisible())
            return found;
    qFatal("no shown widget %s", qPrintable(name));
}

// One step as a librarian takes it: "tab N", "click NAME", "text NAME TEXT" (typed without
// Enter), "scan NAME TEXT" (typed and ended with Enter), or "await NAME TEXT" (until the label
// shows the text).
void take(QWidget* window, const QString& step)
{
    const QStringList words = step.split(QLatin1Char(' '));
    if (words[0] == QLatin1String("await")) {
        QTRY_COMPARE_WITH_TIMEOUT(shown<QLabel>(window, words[1])->text(), words[2], 10000);
    } else if (words[0] == QLatin1String("tab"))
        window->findChild<QTabWidget*>()->setCurrentIndex(words[1].toInt());
    else if (words[0] == QLatin1String("click"))
        shown<QAbstractButton>(window, words[1])->click();
    else {
        auto* edit = shown<QLineEdit>(window, words[1]);
        edit->setFocus();
        edit->setText(words.mid(2).join(QLatin1Char(' ')));
        if (words[0] == QLatin1String("scan"))
            QTest::keyClick(edit, Qt::Key_Return);
    }
}

QString placeText(const QRect& place)
{
    return QStringLiteral("%1,%2 %3x%4").arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height());
}

QStringList moves(const Places& before, const Places& after)
{
    QStringList moved;
    for (auto at = before.cbegin(); at != before.cend(); ++at)
        if (after.value(at.key()) != at.value())
            moved << at.key() + QLatin1Char(' ') + placeText(at.value()) + QStringLiteral(" → ")
                         + placeText(after.value(at.key()));
    for (auto at = after.cbegin(); at != after.cend(); ++at)
        if (!before.contains(at.key()))
            moved << at.key() + QStringLiteral(" appeared");
    return moved;
}

} // namespace

class TestSteadyLayouts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerAllWindows(CommandTable::instance()); }
    void cleanupTestCase() { CommandTable::instance().setRunner(nullptr); }

    // Each window at the desktop's font and at one half as large again, where texts run
    // wider than the room a window gives them at the usual size. The lending windows' reader
    // fields are left out at the larger font: there they grow to show a reader's values whole.
    void searchMovesNoControl_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QStringList>("setUp");
        QTest::addColumn<QStringList>("search");
        QTest::addColumn<double>("fontScale");
        const QString all = QStringLiteral("text m_editSearch (全部)");
        const QStringList addAll{all, "click m_btnSearch", "click m_checkAllResults", "click m_btnAdd"};
        const struct {
            const char* name;
            int command;
            QStringList setUp;
            QStringList search;
            bool largerFont = true;
        } windows[] = {
            {"book entry: the list", 32796, {}, {"click m_btnSearchLocal"}},
            {"book entry: no service", 32796, {}, {"text m_edtSearchIsbn 9787020002207", "click m_btnIsbnSearch"}},
            {"book entry: no network", 32796, {"text m_edtSearchIsbn 9787020002207"},
             {"click m_btnIsbnSearch", "await m_lblSearchStatus 无法连接网络，未能联网搜索图书信息！"}},
            {"reader entry", 32805, {}, {"click m_btnSearch"}},
            {"reader query", 32812, {}, {all, "click m_btnSearch"}},
            {"book query", 32808, {}, {all, "click m_btnSearch"}},
            {"book query: losses", 32808, {"tab 1"}, {all, "click m_btnQuery"}},
            {"book query: statistics", 32808, {"tab 2"}, {"click m_radioPublisher"}},
            {"loans", 32820, {}, {all, "click m_btnSearch"}},
            {"lending history", 32820, {"tab 1"}, {all, "click m_btnSearch"}},
            {"overdue loans", 32820, {"tab 2"}, {all, "click m_btnQuery"}},
            {"lending summary", 32820, {"tab 3"}, {"click m_radioReader"}},
            {"schools' history", 32848, {}, {"click m_btnQuery"}},
            {"schools' summary", 32848, {"tab 1"}, {"click m_radioKind"}},
            {"lending", 32801, {}, {"scan m_editReaderInput 2024000000001"}, false},
            {"loss of a lent book", 32804, {}, {"text m_editReader 2024000000001", "click m_btnFind"}},
            {"book loss", 32878, {}, {"click m_btnQueryBooks"}},
            {"periodical entry", 32840, {}, {"click m_btnSearch"}},
            {"periodical lending", 32839, {}, {"scan m_edtReaderCard 2024000000001"}, false},
            {"periodical query", 32842, {}, {all, "click m_btnSearch"}},
            {"periodical query: loans", 32842, {"tab 1"}, {all, "click m_btnQuery"}},
            {"periodical query: summary", 32842, {"tab 2"}, {"click m_radioPublisher"}},
            {"book asset report", 32876, {}, {"click m_btnGenerate"}},
            {"periodical asset report", 32880, {}, {"click m_btnGenerate"}},
            {"book barcodes", 32855, {}, addAll},
            {"spine labels", 32845, {}, addAll},
            {"reader cards", 32846, {}, addAll},
            {"custom barcodes", 32856, {}, {"click m_btnGenerate"}},
            {"custom cards", 32857, {}, {"click m_btnGenerate"}},
            {"repair", 32887, {}, {"click m_btnOK"}},
            {"reader import", 32835, {"click m_btnBrowse"},
             {"click m_btnImport", "await m_staticCount 共导入2条记录,本页面只是显示一部分数据！"}},
        };
        for (const auto& window : windows)
            for (double scale : {1.0, 1.5})
                if (scale == 1.0 || window.largerFont)
                    QTest::addRow("%s, font x%.1f", window.name, scale)
                        << window.command << window.setUp << window.search << scale;
    }

    void searchMovesNoControl()
    {
        QFETCH(int, command);
        QFETCH(QStringList, setUp);
        QFETCH(QStringList, search);
        QFETCH(double, fontScale);
        const QFont desktop = QApplication::font();
        QFont font = desktop;
        font.setPointSizeF(desktop.pointSizeF() * fontScale);
        QApplication::setFont(font);
        const auto restore = qScopeGuard([&] { QApplication::setFont(desktop); });
        Workplace work;
        storeRows();
        // A catalogue service where nothing answers, as when the school's network is down.
        QVERIFY(writeFile(QStringLiteral("setup.ini"), "[Lookup]\nopac=http://127.0.0.1:1\ntimeout=2\n"));
        for (int mode : {BarcodeLayoutFile::BookNumbers, BarcodeLayoutFile::CustomCodes})
            QVERIFY(LayoutRecord::Defaults().Write(BarcodeLayoutFile::Path(mode)));
        // The asset reports' question, and the import's, which then appends.
        work.seams.prompter.answers.enqueue(QMessageBox::Ok);
        work.seams.chooser.answers.enqueue(writeReaders(work.folder.path() + QStringLiteral("/读者.xlsx")));
        QWidget mainWindow;
        QStringList moved;
        bool changed = false;
        bool ran = false;
        CommandTable::instance().setRunner([&](QDialog& window) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            for (const QString& step : setUp)
                take(&window, step);
            const Places before = placesOf(&window);
            const QStringList shownBefore = contents(&window);
            for (const QString& step : search)
                take(&window, step);
            if (QTest::currentTestFailed())
                return;
            moved = moves(before, placesOf(&window));
            changed = contents(&window) != shownBefore;
            ran = true;
        });
        QVERIFY(CommandTable::instance().run(command, &mainWindow));
        QVERIFY(ran);
        QVERIFY2(moved.isEmpty(), qPrintable(moved.join(QStringLiteral("\n"))));
        QVERIFY(changed);
        // Only questions and the news of success: nothing failed or came back empty.
        const QStringList messages = work.seams.prompter.texts();
        for (const QString& message : messages)
            QVERIFY2(!message.contains(QStringLiteral("失败")) && !message.contains(QStringLiteral("没有")),
                     qPrintable(messages.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestSteadyLayouts)
#include "test_steady_layouts.moc"
