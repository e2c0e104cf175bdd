#include "printing/PageSink.h"

#include <QPainter>
#include <QPrinter>

namespace {
PageSink* g_installed = nullptr;
}

PageSink& PageSink::instance()
{
    static PrinterPageSink printer;
    return g_installed ? *g_installed : printer;
}

void PageSink::install(PageSink* sink) { g_installed = sink; }

bool PrinterPageSink::PrintJob(QPrinter& printer, const QString& jobName, const std::function<void(QPainter&)>& draw)
{
    printer.setDocName(jobName);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    draw(painter);
    return painter.end();
}
