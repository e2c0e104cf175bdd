#pragma once

#include <functional>

class QPainter;
class QPrinter;
class QString;

// Where printed pages go: a printer takes every page as a print job of its own, a PDF file
// all its pages in one job. Tests install a sink that keeps the pages instead of sending
// them to a printer.
class PageSink {
public:
    virtual ~PageSink() = default;
    // Runs one job named jobName whose pages draw paints; false when the job could not be
    // started or finished.
    virtual bool PrintJob(QPrinter& printer, const QString& jobName, const std::function<void(QPainter&)>& draw) = 0;

    static PageSink& instance();
    // Installs a sink (not owned); nullptr restores the printer.
    static void install(PageSink* sink);
};

// Sends each job to the printer.
class PrinterPageSink : public PageSink {
public:
    bool PrintJob(QPrinter& printer, const QString& jobName, const std::function<void(QPainter&)>& draw) override;
};
