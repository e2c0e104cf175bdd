#include "circulation/ReaderPanel.h"

#include "controls/Prompter.h"
#include "db/AdoRecordset.h"
#include "db/AppState.h"

#include <QLineEdit>

namespace {
const QString kFailText = QStringLiteral("操作失败");

// The field is never made narrower than its text, so that a reader's 13-digit number or
// long department shows whole, whatever the window's size: a narrower edit would show the
// text's end and hide its beginning. Its frame and margins are what its size hint adds to
// the 17 average characters an empty edit is laid out for.
void showWhole(QLineEdit* field, const QString& text)
{
    field->setText(text);
    const QFontMetrics metrics = field->fontMetrics();
    const int frame = field->sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    const int cursor = 2;
    field->setMinimumWidth(text.isEmpty() ? 0 : metrics.horizontalAdvance(text) + frame + cursor);
}
}

ReaderPanel::ReaderPanel(QWidget* page, const char* prefix, const char* next, const LoanTables& tables)
    : m_page(page), m_prefix(QLatin1String(prefix)), m_next(QLatin1String(next)), m_tables(tables)
{
}

LendingService ReaderPanel::service() const
{
    return LendingService(theApp().m_ado, theApp().m_strOperator, m_tables);
}

bool ReaderPanel::find(QLineEdit* input)
{
    if (input->text().isEmpty()) {
        showMessage(m_page, QStringLiteral("请输入用查询信息！"));
        return false;
    }
    try {
        show(service().findReader(input->text()));
    } catch (const DbError&) {
        showMessage(m_page, kFailText);
    }
    input->clear();
    return true;
}

void ReaderPanel::show(const std::optional<ReaderCard>& reader)
{
    m_card = reader.value_or(ReaderCard());
    const std::pair<const char*, const QString*> fields[] = {
        {"ReaderNo", &m_card.number},     {"ReaderName", &m_card.name}, {"Sex", &m_card.sex},
        {"ReaderType", &m_card.type},     {"LoanDays", &m_card.loanDays}, {"LoanLimit", &m_card.loanLimit},
        {"LentCount", &m_card.lentCount}, {"Dept", &m_card.dept},
    };
    for (const auto& [name, text] : fields)
        if (auto* edit = m_page->findChild<QLineEdit*>(m_prefix + QLatin1String(name)))
            showWhole(edit, *text);
    if (!reader)
        return showMessage(m_page, QStringLiteral("查无此人！"));
    if (auto* next = m_page->findChild<QWidget*>(m_next))
        next->setFocus();
}

void ReaderPanel::refresh()
{
    try {
        show(service().readerByNumber(m_card.number));
    } catch (const DbError&) {
        showMessage(m_page, kFailText);
    }
}

bool ReaderPanel::present() const
{
    if (m_card.number.isEmpty())
        showMessage(m_page, QStringLiteral("没有读者信息!\n"));
    return !m_card.number.isEmpty();
}

QList<Loan> ReaderPanel::loans() const
{
    try {
        return service().loansOf(m_card.number);
    } catch (const DbError&) {
        showMessage(m_page, kFailText);
        return {};
    }
}
