#pragma once

// What only the circulation tests use; a header of its own, so that the other folders that
// build on the circulation fixture keep their own helpers of these names.

#include <QString>
#include <QStringList>

class CReportListCtrl;
class QWidget;

CReportListCtrl* list(QWidget& window, const char* name = "m_list");
// The first column of a list, one text a row.
QStringList listedIn(QWidget& window, const char* name = "m_list");
void doubleClickRow(CReportListCtrl* list, int row);
