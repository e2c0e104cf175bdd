#include "sheets/XlsReader.h"

#include <QDateTime>
#include <QFile>

#include <freexl.h>

#include <cstring>

namespace {
class FreexlHandle {
public:
    ~FreexlHandle()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    const void** out() { return &m_handle; }
    const void* get() const { return m_handle; }

private:
    const void* m_handle = nullptr;
};

QString failure(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("文件不存在或不能打开");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("内存不足，不能读取表格文件");
    default:
        return QStringLiteral("文件不是可读的xls表格文件（错误%1）").arg(code);
    }
}

SheetCell dateCell(const char* text, bool timeOnly)
{
    const QString value = QString::fromLatin1(text);
    if (timeOnly) {
        const QTime time = QTime::fromString(value, QStringLiteral("HH:mm:ss"));
        return SheetCell::fromSerialDate(time.msecsSinceStartOfDay() / 86400000.0);
    }
    QDateTime moment = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!moment.isValid())
        moment = QDateTime(QDate::fromString(value, QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    if (!moment.isValid())
        return SheetCell::fromText(value);
    return SheetCell::fromSerialDate(serialFromDateTime(moment));
}

SheetCell cellOf(const FreeXL_CellValue& value, TextPool& texts)
{
    switch (value.type) {
    case FREEXL_CELL_INT:
        return SheetCell::fromNumber(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return SheetCell::fromNumber(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    {
        const std::size_t size = std::strlen(value.value.text_value);
        return SheetCell::fromPooledUtf8(texts.add(value.value.text_value, size), std::uint32_t(size));
    }
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
        return dateCell(value.value.text_value, false);
    case FREEXL_CELL_TIME:
        return dateCell(value.value.text_value, true);
    default:
        return {};
    }
}

bool readSheet(const void* handle, unsigned short index, Sheet* sheet, QString* error)
{
    const char* name = nullptr;
    unsigned int rows = 0;
    unsigned short columns = 0;
    int result = freexl_get_worksheet_name(handle, index, &name);
    if (result == FREEXL_OK)
        result = freexl_select_active_worksheet(handle, index);
    if (result == FREEXL_OK)
        result = freexl_worksheet_dimensions(handle, &rows, &columns);
    if (result != FREEXL_OK) {
        *error = failure(result);
        return false;
    }
    sheet->sheetName = QString::fromUtf8(name);
    sheet->texts = std::make_shared<TextPool>();
    sheet->rows.resize(rows);
    for (unsigned int r = 0; r < rows; ++r) {
        CellRow& cells = sheet->rows[r];
        cells.reserve(columns);
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value;
            result = freexl_get_cell_value(handle, r, c, &value);
            if (result != FREEXL_OK) {
                *error = failure(result);
                return false;
            }
            cells.push_back(cellOf(value, *sheet->texts));
        }
        while (!cells.empty() && cells.back().isEmpty())
            cells.pop_back();
    }
    sheet->dropTrailingEmptyRows();
    return true;
}
}

bool readXls(const QString& path, Workbook* workbook, QString* error)
{
    FreexlHandle handle;
    int result = freexl_open(QFile::encodeName(path).constData(), handle.out());
    unsigned int value = 0;
    if (result == FREEXL_OK)
        result = freexl_get_info(handle.get(), FREEXL_BIFF_PASSWORD, &value);
    if (result == FREEXL_OK && value == FREEXL_BIFF_OBFUSCATED) {
        *error = QStringLiteral("表格文件设有密码，不能读取");
        return false;
    }
    if (result == FREEXL_OK)
        result = freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &value);
    if (result != FREEXL_OK) {
        *error = failure(result);
        return false;
    }
    workbook->clear();
    workbook->resize(value);
    for (unsigned int i = 0; i < value; ++i) {
        if (!readSheet(handle.get(), quint16(i), &(*workbook)[i], error))
            return false;
    }
    return true;
}
