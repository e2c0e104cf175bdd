#pragma once

#include <QList>

#include <optional>

class QPrinter;
class QWidget;

struct PageRange {
    int from;
    int to;
};
// The pages chosen, as the dialog lists them ("1-2,5" is two ranges).
using PageRanges = QList<PageRange>;

// Every print asks for its printer and pages through the installed chooser; tests script
// the answers, as they do for the file chooser.
class PrintChooser {
public:
    virtual ~PrintChooser() = default;
    // Sets up the printer and returns the pages chosen from 1 to pageCount (all proposed);
    // nullopt when the user cancelled.
    virtual std::optional<PageRanges> ChoosePages(QWidget* parent, QPrinter& printer, int pageCount) = 0;

    static PrintChooser& instance();
    // Installs a chooser (not owned); nullptr restores the print dialog.
    static void install(PrintChooser* chooser);
};

// The print dialog: a page range may be chosen; no selection, no print to file. Without any
// printer installed it says so instead.
class DialogPrintChooser : public PrintChooser {
public:
    std::optional<PageRanges> ChoosePages(QWidget* parent, QPrinter& printer, int pageCount) override;
};
