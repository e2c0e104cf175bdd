#pragma once

#include "sheets/Sheet.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The workbook readers open files by name, so each input is written to a file of this
// process's own first.
QString fuzzInputFile(const uint8_t* data, size_t size);
// Stops the run when a sheet breaks the format's bounds, and reads every cell's text.
void checkWorkbook(const Workbook& book, int maxRows, int maxColumns);
