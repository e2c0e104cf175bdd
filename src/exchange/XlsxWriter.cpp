#include "exchange/XlsxWriter.h"

#include "exchange/SpreadsheetFormat.h"

#include <QFile>

#include <xlsxwriter.h>

#include <cmath>

namespace {
QString libraryError(lxw_error code) { return QString::fromUtf8(lxw_strerror(code)); }

class XlsxBuilder {
public:
    explicit XlsxBuilder(lxw_workbook* workbook) : m_workbook(workbook)
    {
        m_date = workbook_add_format(workbook);
        format_set_num_format(m_date, "yyyy-mm-dd");
        m_dateTime = workbook_add_format(workbook);
        format_set_num_format(m_dateTime, "yyyy-mm-dd hh:mm:ss");
    }

    bool addSheet(const SheetSource& sheet, QString* error)
    {
        lxw_worksheet* target = workbook_add_worksheet(m_workbook, sheet.name().toUtf8().constData());
        if (!target) {
            *error = QStringLiteral("不能建立工作表：%1").arg(sheet.name());
            return false;
        }
        CellRow cells;
        QByteArray utf8;
        for (int r = 0; r < sheet.rowCount(); ++r) {
            sheet.row(r, cells);
            for (size_t c = 0; c < cells.size(); ++c) {
                const lxw_error result = writeCell(target, lxw_row_t(r), lxw_col_t(c), cells[c], utf8);
                if (result == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED) {
                    *error = cellTooLongText(r + 1, int(c) + 1);
                    return false;
                }
                if (result != LXW_NO_ERROR) {
                    *error = libraryError(result);
                    return false;
                }
            }
        }
        return true;
    }

private:
    lxw_error writeCell(lxw_worksheet* target, lxw_row_t row, lxw_col_t column, const SheetCell& cell,
                        QByteArray& utf8) const
    {
        switch (cell.kind) {
        case SheetCell::Kind::Empty:
            return LXW_NO_ERROR;
        case SheetCell::Kind::Text:
            if (cell.text.size() > kMaxCellText)
                return LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED;
            utf8 = cell.text.toUtf8();
            return worksheet_write_string(target, row, column, utf8.constData(), nullptr);
        case SheetCell::Kind::Number:
            return worksheet_write_number(target, row, column, cell.number, nullptr);
        case SheetCell::Kind::Date:
            return worksheet_write_number(target, row, column, cell.number,
                                          cell.number == std::floor(cell.number) ? m_date : m_dateTime);
        }
        return LXW_NO_ERROR;
    }

    lxw_workbook* m_workbook;
    lxw_format* m_date;
    lxw_format* m_dateTime;
};
}

bool writeXlsx(const QString& path, const SheetList& sheets, QString* error)
{
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
    if (!workbook) {
        *error = QStringLiteral("不能建立文件：%1").arg(path);
        return false;
    }
    {
        XlsxBuilder builder(workbook);
        for (const SheetSource* sheet : sheets) {
            if (!builder.addSheet(*sheet, error)) {
                workbook_close(workbook);
                return false;
            }
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (closed != LXW_NO_ERROR) {
        *error = libraryError(closed);
        return false;
    }
    return true;
}
