#pragma once

#include <QList>
#include <QString>

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
    // Sets up the printer (a printer, or a PDF file as its output file name) and returns the
    // pages chosen from 1 to pageCount (all proposed); nullopt when the user cancelled.
    virtual std::optional<PageRanges> ChoosePages(QWidget* parent, QPrinter& printer, int pageCount) = 0;

    static PrintChooser& instance();
    // Installs a chooser (not owned); nullptr restores the print dialog.
    static void install(PrintChooser* chooser);
};

// The print dialog: a page range may be chosen; no selection. Without any printer installed
// it proposes its PDF output, a file named after the window, so labels can be printed later
// from another machine; only when not even that is possible does it say there is no printer.
// The printer chosen draws at the resolution it prints at (see JobResolution).
class DialogPrintChooser : public PrintChooser {
public:
    // A PDF file may be printed later on any printer, so it is drawn on the coarsest grid a
    // label is printed at: a module of 2 dots at 203 dpi (0.25 mm) stays whole dots there and
    // lands on about 3 and 6 dots of a finer printer, where its rounding is a small part of
    // the module; whole 300-dpi dots would be 2.03 dots at 203 and misread.
    static constexpr int kFileResolution = 203;
    // Which of the resolutions a printer reports its job is drawn at, so that bars are whole
    // dots of the resolution it prints at: the lowest of at least 200 dpi (the others are its
    // multiples on common printers), else the highest reported, else 600.
    static int JobResolution(QList<int> reported);

    std::optional<PageRanges> ChoosePages(QWidget* parent, QPrinter& printer, int pageCount) override;

protected:
    virtual bool PrintersInstalled() const;
    // Where the proposed PDF file goes: the documents folder, else the home folder.
    virtual QString PdfFolder() const;

private:
    // Points the printer at a PDF file; false when it cannot write one.
    bool ProposePdf(QWidget* parent, QPrinter& printer) const;
};
