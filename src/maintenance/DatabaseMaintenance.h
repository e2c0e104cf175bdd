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

    explicit DatabaseMaintenance(CAdoConn& conn) : m_conn(conn) {}

    // Empties the chosen tables in work-list order (names not in the list are passed over).
    // A loan table emptied puts the copies its rows held back in stock and recounts the
    // readers, so that no copy stays marked lent with no loan to return. Nothing chosen
    // changes nothing.
    std::optional<QString> Initialise(const QStringList& chosen);

    // The steps of a repair: the copies, then the readers.
    enum class Stage { Copies, Readers };
    // Told as a stage goes over its rows (the book loans, then the readers with loans): the
    // rows done and the rows in all, first with none done.
    using Progress = std::function<void(Stage stage, int done, int total)>;
    // Puts every copy in stock (reserved ones too), marks lent the copy of each book loan,
    // then recounts the loans of both kinds of every reader who has one; every other
    // reader's count becomes 0.
    std::optional<QString> Repair(const Progress& progress = {});

private:
    void ReturnCopiesOfLoans(const QStringList& emptied);
    void MarkCopiesByLoans(const Progress& progress);
    void RecountReadersWithLoans(const Progress& progress);

    CAdoConn& m_conn;
};
