#pragma once

#include "circulation/LendingService.h"

class QWidget;

// Shows a reader in the eight read-only fields that the lending pages share by name
// (m_editReaderNo, m_editReaderName, m_editSex, m_editReaderType, m_editLoanDays,
// m_editLoanLimit, m_editLentCount, m_editDept); an empty card empties them.
void showReaderFields(QWidget* page, const ReaderCard& reader);
