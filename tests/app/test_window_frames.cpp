// What the window system shows of the program's windows: the title bar's text and icon as an
// X11 window manager reads them from the window's properties, and the language of Qt's own
// dialogs. Runs on the xcb platform under a virtual X display (xvfb-run).
#include "app/ChineseLocale.h"
#include "app/LibraryDlg.h"
#include "app/Windows.h"
#include "catalogue/BookQueryDlg.h"
#include "controls/ButtonIcons.h"
#include "controls/CommandTable.h"
#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "controls/WindowDecoration.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTimer>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

xcb_connection_t* connection() { return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection(); }

xcb_atom_t atom(const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection(), xcb_intern_atom(connection(), 0, qstrlen(name), name), nullptr);
    const xcb_atom_t found = reply->atom;
    std::free(reply);
    return found;
}

// The property's bytes; null when the window has none.
QByteArray property(const QWidget* window, xcb_atom_t name, xcb_atom_t* type = nullptr)
{
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection(), xcb_get_property(connection(), 0, id, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20), nullptr);
    QByteArray value;
    if (reply && reply->type != XCB_ATOM_NONE)
        value = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                           xcb_get_property_value_length(reply));
    if (type)
        *type = reply ? reply->type : XCB_ATOM_NONE;
    std::free(reply);
    return value;
}

struct TitleBar {
    QString title;       // _NET_WM_NAME, what current window managers show
    QByteArray oldTitle; // WM_NAME, what the others show
    xcb_atom_t oldTitleType = XCB_ATOM_NONE;
    bool iconShown = false;
};

// An icon shows when one of its pixels is not wholly transparent.
bool iconShown(const QByteArray& icons)
{
    const auto* cardinals = reinterpret_cast<const quint32*>(icons.constData());
    const qsizetype count = icons.size() / 4;
    for (qsizetype at = 0; at + 2 <= count;) {
        const qsizetype pixels = qsizetype(cardinals[at]) * cardinals[at + 1];
        for (qsizetype i = at + 2; i < at + 2 + pixels && i < count; ++i) {
            if (cardinals[i] >> 24)
                return true;
        }
        at += 2 + pixels;
    }
    return false;
}

TitleBar titleBar(const QWidget* window)
{
    TitleBar shown;
    shown.title = QString::fromUtf8(property(window, atom("_NET_WM_NAME")));
    shown.oldTitle = property(window, XCB_ATOM_WM_NAME, &shown.oldTitleType);
    shown.iconShown = iconShown(property(window, atom("_NET_WM_ICON")));
    return shown;
}

} // namespace

class TestWindowFrames : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        registerAllWindows(CommandTable::instance());
    }

    void cleanupTestCase() { CommandTable::instance().setRunner(nullptr); }

    // Every window a command opens, over the main window and its icon 128: the title bar
    // reads the window's title, empty where the window has none (never the program's name),
    // and shows no icon except the book query window's 143.
    void commandWindows_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("icon");
        const struct {
            int command;
            const char* title;
        } windows[] = {
            {32791, "管理员设置"}, {32793, "系统信息"}, {32885, "公告栏数据管理"}, {32818, "关于"},
            {32847, "计算器"}, {32801, "图书信息查询"}, {32804, "图书挂失"}, {32805, "添加读者"},
            {32826, "注销读者"}, {32807, "读者类型设置"}, {32821, "读者部门设置"}, {32820, "借阅信息查询"},
            {32812, "读者档案查询"}, {32883, ""}, {32848, "各学校图书借阅信息查询"}, {32794, "系统初始化"},
            {32798, "导入数据"}, {32813, "系统数据备份"}, {32814, "系统数据恢复"}, {32823, "导出图书信息模板"},
            {32835, "导入读者数据"}, {32836, "导出读者信息模板"}, {32859, "导出期刊信息模板"}, {32849, ""},
            {32884, ""}, {32824, "数据上传"}, {32825, "数据下载"}, {32850, "数据上传"}, {32851, "数据下载"},
            {32860, "导入期刊信息"}, {32871, "导入借阅数据"}, {32876, ""}, {32880, ""},
            {32886, "导入借阅历史信息"}, {32887, "修复系统错误"}, {32845, "打印书标"}, {32846, "打印图书借阅证"},
            {32855, "打印图书编号条码"}, {32856, "自定义条形码打印"}, {32857, "自定义借阅证打印"},
            {32796, "添加图书信息"}, {32799, "图书类型设置"}, {32800, "出版社信息"}, {32822, "书架设置"},
            {32852, "处理图书MARC码数据"}, {32878, "图书报失"}, {32875, "图书剔旧"}, {32881, "图书解挂"},
            {32827, "注销图书信息"}, {32808, "图书信息查询"}, {32840, "添加期刊信息"}, {32841, "注销期刊信息"},
            {32839, "期刊借阅"}, {32873, "期刊挂失"}, {32882, "期刊解挂"}, {32879, "期刊报失"}, {32877, "期刊剔旧"},
            {32842, "期刊信息查询"},
        };
        for (const auto& window : windows)
            QTest::addRow("%d %s", window.command, window.title)
                << window.command << QString::fromUtf8(window.title) << (window.command == 32808);
    }

    void commandWindows()
    {
        QFETCH(int, command);
        QFETCH(QString, title);
        QFETCH(bool, icon);
        Workplace work;
        QWidget mainWindow;
        mainWindow.setWindowIcon(resourceIcon(128));
        TitleBar shown;
        bool ran = false;
        CommandTable::instance().setRunner([&](QDialog& window) {
            window.show();
            shown = titleBar(&window);
            ran = true;
        });
        QVERIFY(CommandTable::instance().run(command, &mainWindow));
        QVERIFY(ran);
        QCOMPARE(shown.title, title);
        if (title.isEmpty())
            QCOMPARE(shown.oldTitle, QByteArray());
        else // Chinese in a Latin-1 STRING reads as mojibake in older window managers.
            QVERIFY(shown.oldTitleType != XCB_ATOM_STRING);
        QCOMPARE(shown.iconShown, icon);
    }

    // The main window shows icon 128 and the library's name; without a name its title bar
    // stays empty, also when the name is taken away while it is shown.
    void mainWindow()
    {
        Workplace work;
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("update tushuguaninfo set 图书馆名='实验小学图书馆'")));
        CLibraryDlg window;
        window.show();
        TitleBar shown = titleBar(&window);
        QCOMPARE(shown.title, QStringLiteral("实验小学图书馆"));
        QVERIFY(shown.iconShown);
        window.setWindowTitle(QString());
        shown = titleBar(&window);
        QCOMPARE(shown.title, QString());
        QCOMPARE(shown.oldTitle, QByteArray());
        QVERIFY(shown.iconShown);
    }

    // A message over the book query window shows its caption and no icon, not the 143 of
    // the window it stands over.
    void messageOverAWindowWithAnIcon()
    {
        Workplace work;
        Prompter::install(nullptr);
        CBookQueryDlg window;
        window.show();
        TitleBar shown;
        QTimer::singleShot(0, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                shown = titleBar(box);
                box->close();
            }
        });
        showMessage(&window, QStringLiteral("没有找到相关信息的图书!"));
        Prompter::install(&work.seams.prompter);
        QCOMPARE(shown.title, QStringLiteral("图书管理系统"));
        QVERIFY(!shown.iconShown);
        QVERIFY(titleBar(&window).iconShown);
    }

    // The open dialog speaks Chinese (China) whatever the session's locale: a folder's type,
    // a file's size and its date as a Chinese desktop writes them.
    void fileDialogInChinese()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("名单")));
        QFile file(folder.filePath(QStringLiteral("读者.xls")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(QDateTime(QDate(2017, 4, 11), QTime(9, 30)), QFileDevice::FileModificationTime));
        file.close();
        QMap<QString, QStringList> rows;
        QTimer driver;
        connect(&driver, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* files = dialog->findChild<QFileSystemModel*>();
            const QModelIndex root = files->index(folder.path());
            QMap<QString, QStringList> read;
            for (int row = 0; row < files->rowCount(root); ++row) {
                QStringList columns;
                for (int column = 1; column < files->columnCount(root); ++column)
                    columns << files->index(row, column, root).data().toString();
                read[files->index(row, 0, root).data().toString()] = columns;
            }
            if (read.size() < 2 || read != rows) {
                rows = read;
                return;
            }
            dialog->reject();
        });
        driver.start(50);
        DialogFileChooser().openFile(nullptr, QStringLiteral("打开"), folder.path(), QStringLiteral("Excel文件(*.xls)"));
        QCOMPARE(QLocale::system().name(), QStringLiteral("zh_CN"));
        QCOMPARE(rows.value(QStringLiteral("名单")).value(1), QStringLiteral("文件夹"));
        QCOMPARE(rows.value(QStringLiteral("读者.xls")).value(0), QStringLiteral("0 字节"));
        QCOMPARE(rows.value(QStringLiteral("读者.xls")).value(2), QStringLiteral("2017/4/11 09:30"));
    }
};

int main(int argc, char** argv)
{
    ChineseLocale::prepare();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("schoollib"));
    const ChineseLocale chinese;
    WindowDecoration::install();
    TestWindowFrames test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_frames.moc"
