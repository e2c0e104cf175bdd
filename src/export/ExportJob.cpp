#include "export/ExportJob.h"

#include "sheets/SpreadsheetFile.h"
#include "sheets/SpreadsheetIdle.h"
#include "sheets/TabTextFile.h"

#include <algorithm>
#include <functional>

namespace {
// The snapshot seen as a sheet: the header, the rows of the chosen fields, the footer.
class SnapshotSheet : public SheetSource {
public:
    SnapshotSheet(const ExportThreadParam& param, std::function<void(int)> rowWritten)
        : m_param(param), m_rowWritten(std::move(rowWritten))
    {
    }

    QString name() const override { return m_param.sheet; }
    int rowCount() const override { return 1 + dataRows() + int(m_param.footer.size()); }
    int columnCount() const override { return m_param.lastField - m_param.firstField + 1; }

    void row(int index, CellRow& cells) const override
    {
        cells.clear();
        if (index == 0)
            return texts(m_param.header, cells);
        const int data = index - 1;
        if (data >= dataRows())
            return texts(m_param.footer[data - dataRows()], cells);
        const RowBlock& block = *m_param.rows;
        for (int field = m_param.firstField; field <= m_param.lastField; ++field)
            cells.push_back(cellOf(block, data, field));
        m_rowWritten(data);
    }

private:
    int dataRows() const { return m_param.rows ? m_param.rows->rowCount() : 0; }

    static void texts(const QStringList& values, CellRow& cells)
    {
        for (const QString& value : values)
            cells.push_back(SheetCell::fromText(value));
    }

    SheetCell cellOf(const RowBlock& block, int row, int field) const
    {
        if (block.isNull(row, field))
            return {};
        if (m_param.numericFields.contains(field)) {
            const QVariant value = block.value(row, field);
            if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double)
                return SheetCell::fromNumber(value.toDouble());
        }
        return SheetCell::fromText(block.text(row, field).trimmed());
    }

    const ExportThreadParam& m_param;
    std::function<void(int)> m_rowWritten;
};
}

CExportJob::CExportJob(ExportThreadParam param)
    : m_param(std::move(param)),
      m_divisor(m_param.progressScaleFrom > 0 && m_param.rows && m_param.rows->rowCount() >= m_param.progressScaleFrom
                    ? 10
                    : 1)
{
}

int CExportJob::ProgressMaximum(int rows, int scaleFrom)
{
    return scaleFrom > 0 && rows >= scaleFrom ? rows / 10 : rows;
}

int CExportJob::ProgressMaximum() const
{
    return ProgressMaximum(m_param.rows ? m_param.rows->rowCount() : 0, m_param.progressScaleFrom);
}

void CExportJob::RowWritten(int row)
{
    // Each step of the bar is one row, or ten from the threshold on, counted from 0 for the
    // first row: the last row leaves it one step short of its end. The window hears of it
    // about a hundred times a job, not once a row.
    const int value = row / m_divisor;
    const int step = std::max(1, ProgressMaximum() / 100);
    const bool last = row + 1 == m_param.rows->rowCount();
    if (value - m_lastShown >= step || last) {
        m_lastShown = value;
        emit Progress(value);
    }
}

void CExportJob::Run()
{
    QString error;
    bool written = false;
    {
        const SpreadsheetWorker counted;
        const SnapshotSheet sheet(m_param, [this](int row) { RowWritten(row); });
        written = m_param.tabText ? writeTabText(m_param.path, sheet, &error)
                                  : saveSpreadsheet(m_param.path, {&sheet}, QLatin1Char(','), false, &error);
    }
    emit Finished(written, error);
}
