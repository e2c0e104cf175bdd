#pragma once

#include "circulation/LendingService.h"

#include <optional>

class QLineEdit;
class QWidget;

// The reader a lending page works for. He is found from what was typed or scanned into the
// page's reader input (his number, else a part of his name), shown in the page's eight
// read-only reader fields, each kept at least as wide as its value, and shown afresh after a
// lend or a return, when his count of items on loan has changed. Failures and an unknown
// reader are said on the page.
class ReaderPanel {
public:
    // The fields are the page's line edits named `prefix` + ReaderNo, ReaderName, Sex,
    // ReaderType, LoanDays, LoanLimit, LentCount and Dept; a reader found sends the focus to
    // the page's widget named `next`, where the first item is scanned. The widgets are found
    // by name when they are used, so the panel may be built before the page's form.
    ReaderPanel(QWidget* page, const char* prefix, const char* next, const LoanTables& tables = LoanTables::books());

    // Looks the input's text up and empties the input; false (said) when it was empty.
    bool find(QLineEdit* input);
    // Shows the reader, or empties the fields and says that there is no such reader.
    void show(const std::optional<ReaderCard>& reader);
    // The reader of the shown number afresh from the database, as show() does: with no
    // reader shown, or one deleted meanwhile, the fields empty and the page says so.
    void refresh();
    // Whether a reader is shown; says so when none is.
    bool present() const;
    // The loans of the shown number (an empty one too); none (said) when they cannot be read.
    QList<Loan> loans() const;

    const ReaderCard& card() const { return m_card; }
    // The card of the reader shown; none when no reader is shown (nothing is said).
    std::optional<ReaderCard> shown() const
    {
        return m_card.number.isEmpty() ? std::nullopt : std::optional<ReaderCard>(m_card);
    }

private:
    LendingService service() const;

    QWidget* m_page;
    QString m_prefix;
    QString m_next;
    const LoanTables& m_tables;
    ReaderCard m_card;
};
