#include "printing/PagePrinter.h"

#include "controls/Prompter.h"
#include "printing/PageSink.h"
#include "printing/PageSource.h"
#include "printing/PrintCheck.h"
#include "printing/PrintChooser.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace PagePrinter {

void Print(QWidget* parent, const PageSource& pages, double pageDpi)
{
    QPrinter printer(QPrinter::HighResolution);
    // Queues often default to Letter; the pages are laid out on A4.
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(false);
    printer.setResolution(kResolution);
    const int count = pages.PageCount();
    const std::optional<PageRanges> ranges = PrintChooser::instance().ChoosePages(parent, printer, count);
    if (!ranges)
        return;
    QList<int> chosen;
    for (const PageRange& range : *ranges) {
        if (range.from > range.to || range.from < 1 || range.to > count)
            return showMessage(parent, QStringLiteral("打印范围非法！"));
        for (int page = range.from; page <= range.to; ++page)
            chosen << page;
    }
    // Choosing a printer may have put its own resolution in place.
    printer.setResolution(kResolution);
    for (int page : chosen) {
        const bool printed = PageSink::instance().PrintJob(printer, QStringLiteral("print"), [&](QPainter& painter) {
            const double sx = painter.device()->logicalDpiX() / pageDpi;
            const double sy = painter.device()->logicalDpiY() / pageDpi;
            pages.DrawPage(painter, page, sx, sy);
        });
        if (!printed)
            return showMessage(parent, QStringLiteral("第%1页打印失败！").arg(page));
    }
}

bool ConfirmCodes(QWidget* parent, const QStringList& codes, int pitch)
{
    const QString question = PrintCheck::Question(codes, pitch);
    return question.isEmpty()
        || askQuestion(parent, question, programCaption(), QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}
