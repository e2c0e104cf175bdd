#include "CirculationFixture.h"
#include "CirculationLists.h"

#include "controls/ReportListCtrl.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QTest>

void insertBook(const QString& number, const QString& title, const QString& barcode, const QString& price,
                int lentFlag)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        "insert into bkinfo (条形码, 图书编号, 书名, 著译者, 出版处, 单价, 书架名称, 入库时间, 是否借出) "
        "values (?, ?, ?, '作者', '出版社', ?, '1号书架', '2017-01-01', ?)",
        {barcode, number, title, price.isEmpty() ? QVariant() : QVariant(price), lentFlag}));
}

void insertReader(const QString& number, const QString& name, const QString& limit, const QString& days,
                  const QString& type)
{
    QVERIFY(theApp().m_ado.ExecuteSql("insert into readerinfo (编号, 姓名, 性别, 类别, 借书期限, 部门, 借出次数, "
                                      "借阅数量限制, 登记日期) values (?, ?, '男', ?, ?, '一班', 7, ?, '2017-01-01')",
                                      {number, name, type, days, limit}));
}

void insertLongReader()
{
    insertReader("2024000000001", "欧阳小明", "5", "30", "教师(高级职称)");
    QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 部门='高一年级(3)班', 性别='女', 未还书数=12"));
}

void insertLoanRow(const QString& bookNumber, const QString& readerNumber, const QString& table)
{
    const QString numberColumn = table == "qkjieyueinfo" ? "期刊编号" : "图书编号";
    QVERIFY(theApp().m_ado.ExecuteSql(QString("insert into %1 (%2, 读者编号, 借书日期, 应还时间) "
                                              "values (?, ?, '2017-01-01', '2017-02-01')")
                                          .arg(table, numberColumn),
                                      {bookNumber, readerNumber}));
}

QStringList tableRows(const QString& table)
{
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(QString("select * from %1 order by rowid").arg(table));
    QStringList rows;
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().join('|');
    return rows;
}

QString cell(const QString& sql)
{
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(sql);
    return rs->IsOpen() && !rs->IsEOF() ? rs->GetCollect(0) : QString("<none>");
}

QStringList circulationSnapshot()
{
    QStringList rows;
    for (const char* table : {"bkinfo", "jieyueinfo", "jieyuelishiinfo", "readerinfo"})
        rows << table << tableRows(table);
    return rows;
}

CReportListCtrl* list(QWidget& window, const char* name) { return window.findChild<CReportListCtrl*>(name); }

QStringList listedIn(QWidget& window, const char* name) { return listColumn(list(window, name)); }

void doubleClickRow(CReportListCtrl* l, int row)
{
    l->clearSelection();
    l->SetSelected(row, true);
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->topLevelItem(row)).center());
    QTest::qWait(0);
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

QLineEdit* lineEdit(QWidget& window, const char* name) { return window.findChild<QLineEdit*>(name); }

void press(QWidget& window, const char* buttonName) { window.findChild<CSkinButton*>(buttonName)->click(); }

void scan(QWidget& window, const char* fieldName, const QString& text)
{
    QLineEdit* edit = lineEdit(window, fieldName);
    edit->setFocus();
    typeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

namespace {
int cursorX(const QLineEdit& field) { return field.inputMethodQuery(Qt::ImCursorRectangle).toRect().x(); }

// Where the cursor behind the text stands in an edit as wide as it likes, of the same style:
// in a narrower one it stands further left by as many pixels as are scrolled out of sight.
int unscrolledCursor(const QLineEdit& field)
{
    QLineEdit wide(field.text(), field.parentWidget());
    wide.setFont(field.font());
    wide.resize(wide.fontMetrics().horizontalAdvance(field.text()) * 2 + 100, field.height());
    wide.grab();
    return cursorX(wide);
}
}

QStringList readerFieldsCut(QWidget& window, QWidget& page, const QString& prefix, const QSize& size)
{
    if (size.isValid())
        window.resize(size);
    QTest::qWait(50);
    window.layout()->activate();
    QStringList cut;
    for (const char* name :
         {"ReaderNo", "ReaderName", "Sex", "ReaderType", "LoanDays", "Dept", "LentCount", "LoanLimit"}) {
        auto* field = page.findChild<QLineEdit*>(prefix + QLatin1String(name));
        if (!field || field->text().isEmpty()) {
            cut << prefix + QLatin1String(name) + QStringLiteral(" is empty");
            continue;
        }
        field->grab();
        const int hidden = unscrolledCursor(*field) - cursorX(*field);
        if (hidden != 0)
            cut << QStringLiteral("%1 %2 hides %3 pixels of its start in %4 pixels")
                       .arg(field->objectName(), field->text())
                       .arg(hidden)
                       .arg(field->width());
    }
    return cut;
}

void addWindowSizes()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("as it opens") << QSize();
    QTest::newRow("made as small as it goes") << QSize(1, 1);
}
