#pragma once

#include "controls/EnterKeyFilter.h"
#include "controls/ListQuery.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CListQueryPage;
}
class CSkinButton;

// A query page that lists every row of its query at once: a search edit ("(全部)", or an
// empty text where the page allows it, for every row) with its button, an optional export
// button and the list. Each window configures one with its query, columns and texts; the
// result of the last query is kept for the export.
class CListQueryPage : public QWidget {
    Q_OBJECT
public:
    struct Config {
        QString searchLabel;
        QString searchCaption;
        QString exportCaption;  // empty: the page offers no export
        QString headings;
        QString failure;        // said when the database refuses the query
        // Said when the edit is empty; none: an empty edit lists every row.
        QString emptyRefusal;
        // The edit starts with "(全部)"; else it starts empty.
        bool editShowsAll = true;
        // "(全部)" goes when the edit gains the focus and comes back when it is left empty;
        // otherwise the text stays as the user leaves it.
        bool editClearsOnFocus = true;
        // The search button is the page's default button: Enter on another button presses
        // that one and anywhere else runs the query. Otherwise Enter outside the edit moves
        // the focus on like Tab, on the buttons too.
        bool searchIsDefault = false;
        // The buttons' icon resources; 0: none.
        int searchIcon = 192;
        int exportIcon = 202;
        ListQuery query;
        ListRow listRow;
    };

    CListQueryPage(Config config, QWidget* parent = nullptr);
    ~CListQueryPage() override;

    // The last query's result; null before the first query.
    const RecordsetPtr& Result() const { return m_result; }
    CSkinButton* ExportButton() const;

public slots:
    void OnQuery();

private:
    void OnInitDialog();
    void FillList();

    std::unique_ptr<Ui::CListQueryPage> ui;
    const Config m_config;
    EnterKeyFilter m_enterKeys;
    RecordsetPtr m_result;
};
