#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class CAdoConn;

// What initialisation can empty: a check box's caption and its table, in the order the
// tables are emptied. Two boxes are offered but cannot be ticked.
struct InitItem {
    QString caption;
    QString table;
    bool offered = true;
};

// Starting the library afresh and mending the loan marks and counts. Each runs in one
// transaction: it is done whole or, with the reason returned, not at all.
class DatabaseMaintenance {
public:
    static const QList<InitItem>& initItems();
    // The tables to empty for the chosen ones, in work-list order: emptying the books or
    // the readers empties the book loans, emptying the periodicals or the readers the
    // periodical loans, so that no loan is left without its copy or its reader. Names not in
    // the work list are dropped.
    static QStringList tablesToEmpty(const QStringList& chosen);

    explicit DatabaseMaintenance(CAdoConn& conn) : m_conn(conn) {}

    // Empties the tables (tablesToEmpty), then puts copies marked lent without a loan back in
    // stock and recounts every reader's loans. Nothing chosen changes nothing.
    std::optional<QString> Initialise(const QStringList& chosen);

    // The steps of a repair, told before each runs: the copies, then the readers.
    enum class Stage { Copies, Readers };
    // Marks lent exactly the copies that have a loan (reserved copies too go back in stock)
    // and recounts every reader's loans of both kinds.
    std::optional<QString> Repair(const std::function<void(Stage stage)>& stageStarts = {});

private:
    void ReleaseCopiesWithoutLoans();
    void MarkCopiesByLoans();

    CAdoConn& m_conn;
};
