#pragma once

#include <QByteArray>

class QIODevice;

// Writes a compound file (version 3, 512-byte sectors) holding one stream, the way .xls
// files carry their "Workbook" stream. The stream is padded to 4096 bytes, so it never
// lives in the mini stream and a one-row workbook is laid out like a big one. Large
// streams get the extra allocation-table sectors (DIFAT) they need. False when a write
// fails.
bool writeCompoundFile(QIODevice& out, const QByteArray& streamName, QByteArray stream);
