#include "sheets/XlsxWriter.h"

#include "sheets/SpreadsheetFormat.h"

#include <QFile>

#include <unzip.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <vector>

namespace {
QString libraryError(lxw_error code) { return QString::fromUtf8(lxw_strerror(code)); }

QString incompleteText() { return QStringLiteral("写文件时产生错误（磁盘已满或文件太大）"); }

// The number of the last <row r="..."> of a worksheet part and whether the part ends as
// a complete worksheet. libxlsxwriter does not check the writes to its temporary files,
// so a full disk would otherwise leave a workbook with rows missing and no error.
bool worksheetComplete(unzFile zip, const char* part, int lastRow)
{
    if (unzLocateFile(zip, part, 1) != UNZ_OK || unzOpenCurrentFile(zip) != UNZ_OK)
        return false;
    const QByteArrayView rowMark("<row r=\"");
    QByteArray window;
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    int foundRow = 0;
    int got = 0;
    while ((got = unzReadCurrentFile(zip, chunk.data(), unsigned(chunk.size()))) > 0) {
        // Keep a short tail of the previous chunk, so a mark split between chunks is found.
        window = window.right(32);
        window.append(chunk.constData(), got);
        const qsizetype at = window.lastIndexOf(rowMark);
        if (at >= 0) {
            const qsizetype start = at + rowMark.size();
            const qsizetype end = window.indexOf('"', start);
            if (end > start)
                foundRow = window.sliced(start, end - start).toInt();
        }
    }
    const bool closed = unzCloseCurrentFile(zip) == UNZ_OK;
    return got == 0 && closed && foundRow == lastRow && window.trimmed().endsWith("</worksheet>");
}

bool workbookComplete(const QString& path, const std::vector<int>& lastRows)
{
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    if (!zip)
        return false;
    bool complete = true;
    for (size_t i = 0; i < lastRows.size() && complete; ++i) {
        const QByteArray part = "xl/worksheets/sheet" + QByteArray::number(qulonglong(i + 1)) + ".xml";
        complete = worksheetComplete(zip, part.constData(), lastRows[i]);
    }
    unzClose(zip);
    return complete;
}

class XlsxBuilder {
public:
    explicit XlsxBuilder(lxw_workbook* workbook) : m_workbook(workbook)
    {
        for (const char* code : kWrittenDateFormats) {
            m_dateFormats.push_back(workbook_add_format(workbook));
            format_set_num_format(m_dateFormats.back(), code);
        }
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
        int lastRow = 0;
        for (int r = 0; r < sheet.rowCount(); ++r) {
            sheet.row(r, cells);
            for (size_t c = 0; c < cells.size(); ++c) {
                if (!cells[c].isEmpty())
                    lastRow = r + 1;
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
        m_lastRows.push_back(lastRow);
        if (target->optimize_tmpfile && (std::fflush(target->optimize_tmpfile) != 0 || std::ferror(target->optimize_tmpfile))) {
            *error = incompleteText();
            return false;
        }
        return true;
    }

    const std::vector<int>& lastRows() const { return m_lastRows; }

private:
    lxw_error writeCell(lxw_worksheet* target, lxw_row_t row, lxw_col_t column, const SheetCell& cell,
                        QByteArray& utf8) const
    {
        switch (cell.kind) {
        case SheetCell::Kind::Empty:
            return LXW_NO_ERROR;
        case SheetCell::Kind::Text:
            if (cellTextTooLong(cell))
                return LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED;
            if (cell.isPooled())  // UTF-8 already
                return worksheet_write_string(target, row, column, cell.pooled, nullptr);
            utf8 = cell.text.toUtf8();
            return worksheet_write_string(target, row, column, utf8.constData(), nullptr);
        case SheetCell::Kind::Number:
            return worksheet_write_number(target, row, column, cell.number, nullptr);
        case SheetCell::Kind::Date:
            return worksheet_write_number(target, row, column, cell.number,
                                          m_dateFormats[size_t(writtenDateFormatIndex(cell.shownParts()))]);
        }
        return LXW_NO_ERROR;
    }

    lxw_workbook* m_workbook;
    std::vector<lxw_format*> m_dateFormats;  // by writtenDateFormatIndex
    std::vector<int> m_lastRows;
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
    XlsxBuilder builder(workbook);
    for (const SheetSource* sheet : sheets) {
        if (!builder.addSheet(*sheet, error)) {
            workbook_close(workbook);
            return false;
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (closed != LXW_NO_ERROR) {
        *error = libraryError(closed);
        return false;
    }
    if (!workbookComplete(path, builder.lastRows())) {
        *error = incompleteText();
        return false;
    }
    return true;
}
