#include "StockFixture.h"

#include "controls/ReportListCtrl.h"
#include "db/AppState.h"

#include <QAbstractButton>
#include <QtTest>

void stockBook(const QString& number, const QString& title, const QVariant& flag)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into bkinfo (条形码, 图书编号, 分类号, 书名, 单价, 入库时间, 是否借出) "
                       "values ('9787020002207', ?, 'I242', ?, 30, '2017-01-01', ?)"),
        {number, title, flag}));
}

void stockFullBook(const QString& number)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into bkinfo (条形码, 图书编号, 分类号, 图书类别, 复本号, 书名, 著译者, 出版处, 页数, 开本, "
                       "版期, 版次, 单价, 书架名称, 入库时间, 是否借出) "
                       "values ('978''7', ?, NULL, '文学', '2', '红楼梦 \"脂评\" O''Brien', NULL, '人民文学出版社', "
                       "'300', '16开', '2017-01', '第一版', 25.8, '1号书架', '2017-01-01', NULL)"),
        {number}));
}

void lendRow(const QString& number, const QString& reader)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into jieyueinfo (图书编号, 读者编号, 借书日期, 应还时间) values (?, ?, '2017-04-01', '2017-05-01')"),
        {number, reader}));
}

void reserveRow(const QString& number, const QString& reader)
{
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into jieyue_yuyue (图书编号, 读者编号) values (?, ?)"),
                                      {number, reader}));
}

QString cell(const QString& sql, const QVariantList& params)
{
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(sql, params);
    return rs->IsOpen() && !rs->IsEOF() ? rs->GetCollect(0) : QStringLiteral("<none>");
}

int count(const QString& sql, const QVariantList& params) { return cell(sql, params).toInt(); }

QString copiedColumns(const QString& table, const QString& number)
{
    RecordsetPtr names = theApp().m_ado.GetRecordSet(
        QStringLiteral("select name from pragma_table_info(?) where cid between 1 and 15 order by cid"), {table});
    QStringList quoted;
    for (; !names->IsEOF(); names->MoveNext())
        quoted << QStringLiteral("quote(\"%1\")").arg(names->GetCollect(0));
    return cell(QStringLiteral("select %1 from %2 where 图书编号=? order by rowid")
                    .arg(quoted.join(QStringLiteral(" || '|' || ")), table),
                {number});
}

QStringList stockSnapshot()
{
    QStringList rows;
    for (const char* table : {"bkinfo", "bkinfo_diushi", "bkinfo_tijiu", "jieyueinfo", "readerinfo"}) {
        rows << QString::fromLatin1(table);
        RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select * from %1 order by rowid").arg(table));
        for (; !rs->IsEOF(); rs->MoveNext())
            rows << rs->GetRowTexts().join(QLatin1Char('|'));
    }
    return rows;
}

CReportListCtrl* listOf(QWidget& window, const char* name)
{
    auto* list = window.findChild<CReportListCtrl*>(QString::fromLatin1(name));
    if (!list)
        qFatal("no list %s", name);
    return list;
}

int rowOf(const CReportListCtrl& list, const QString& text) { return listColumn(&list).indexOf(text); }

void clickButton(QWidget& window, const char* name)
{
    auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button)
        qFatal("no button %s", name);
    button->click();
}
