#pragma once

#include "sheets/SheetCell.h"
#include "sheets/TextPool.h"

#include <QString>

#include <memory>
#include <vector>

// What a writer asks of a sheet: its name, its size and its rows one after the other.
// Writers pull the rows, so an export can hand over a snapshot without copying it first.
class SheetSource {
public:
    virtual ~SheetSource() = default;
    virtual QString name() const = 0;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    // Fills `cells` with row `index` (0 is the first row); it may be shorter than the
    // column count, the missing cells being empty.
    virtual void row(int index, CellRow& cells) const = 0;
};

// A sheet held in memory, as readers give it and as the file class keeps it. Move or
// copy it whole: pooled cell texts refer into `texts`.
struct Sheet : SheetSource {
    QString sheetName;
    std::vector<CellRow> rows;
    std::shared_ptr<TextPool> texts;

    QString name() const override { return sheetName; }
    int rowCount() const override { return int(rows.size()); }
    int columnCount() const override;
    void row(int index, CellRow& cells) const override { cells = rows[size_t(index)]; }
    // Drops empty rows at the end (formatting spreadsheet programs leave behind).
    void dropTrailingEmptyRows();
};

using Workbook = std::vector<Sheet>;
// Where the sheet of that name is (names match ignoring case); the first sheet for an empty
// name; -1 when there is none.
int sheetIndex(const Workbook& book, const QString& name);
using SheetList = std::vector<const SheetSource*>;
