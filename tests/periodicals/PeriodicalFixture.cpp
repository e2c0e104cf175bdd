#include "PeriodicalFixture.h"

#include "db/AppState.h"

#include <QTest>

void insertPeriodical(const QString& number, const QString& title, const QString& price, int lentFlag,
                      const QString& barcode)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        "insert into qikaninfo (条形码, 期刊编号, 中图分类, 分类名称, 期刊名称, 出版社名, 第几期, 期刊单价, 存放位置, "
        "入库时间, 是否借出) values (?, ?, 'G63', 'G文化、科学、教育、体育', ?, '读者出版社', '2017年第3期', ?, '1号书架', "
        "'2017-03-01', ?)",
        {barcode, number, title, price.isEmpty() ? QVariant() : QVariant(price), lentFlag}));
}

QStringList periodicalSnapshot()
{
    QStringList rows;
    for (const char* table : {"qikaninfo", "qkjieyueinfo", "qkjieyuelishiinfo", "readerinfo", "diushiqikaninfo",
                              "qkinfo_diushi", "qkinfo_tijiu"})
        rows << table << tableRows(table);
    return rows;
}
