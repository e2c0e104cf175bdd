#include "periodicals/PeriodicalExport.h"

#include "controls/Prompter.h"
#include "db/AdoRecordset.h"
#include "exchange/SheetExport.h"


void exportPeriodicalSheet(QWidget* page, const QString& sheet, const QStringList& header,
                           const std::function<QList<QStringList>()>& rows)
{
    const QString path = chooseWorkbook(page, sheet);
    if (path.isEmpty())
        return;
    QString error;
    bool written = false;
    try {
        written = exportSheet(path, sheet, true, header, rows(), &error);
    } catch (const DbError&) {
        written = false;
    }
    showMessage(page, written ? QStringLiteral("导出文件成功!") : QStringLiteral("请操作失败!"));
}
