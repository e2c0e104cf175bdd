#include "circulation/ReaderFields.h"

#include <QLineEdit>

void showReaderFields(QWidget* page, const ReaderCard& reader)
{
    const std::pair<const char*, const QString*> fields[] = {
        {"m_editReaderNo", &reader.number},     {"m_editReaderName", &reader.name},
        {"m_editSex", &reader.sex},             {"m_editReaderType", &reader.type},
        {"m_editLoanDays", &reader.loanDays},   {"m_editLoanLimit", &reader.loanLimit},
        {"m_editLentCount", &reader.lentCount}, {"m_editDept", &reader.dept},
    };
    for (const auto& [name, text] : fields)
        if (auto* edit = page->findChild<QLineEdit*>(QLatin1String(name)))
            edit->setText(*text);
}
