#include "printing/PagePrinter.h"

#include "controls/Prompter.h"
#include "printing/PageSink.h"
#include "printing/PageSource.h"
#include "printing/PrintCheck.h"
#include "printing/PrintChooser.h"

#include <QDir>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace PagePrinter {
namespace {
const QString kJobName = QStringLiteral("print");

// The pages of the ranges in order; nullopt when a range is reversed or leaves 1 to count.
std::optional<QList<int>> PagesOf(const PageRanges& ranges, int count)
{
    QList<int> chosen;
    for (const PageRange& range : ranges) {
        if (range.from > range.to || range.from < 1 || range.to > count)
            return std::nullopt;
        for (int page = range.from; page <= range.to; ++page)
            chosen << page;
    }
    return chosen;
}

void DrawScaled(QPainter& painter, const PageSource& pages, int page, double pageDpi)
{
    const double sx = painter.device()->logicalDpiX() / pageDpi;
    const double sy = painter.device()->logicalDpiY() / pageDpi;
    pages.DrawPage(painter, page, sx, sy);
}

void PrintEach(QWidget* parent, QPrinter& printer, const PageSource& pages, const QList<int>& chosen, double pageDpi)
{
    for (int page : chosen) {
        const bool printed = PageSink::instance().PrintJob(
            printer, kJobName, [&](QPainter& painter) { DrawScaled(painter, pages, page, pageDpi); });
        if (!printed)
            return showMessage(parent, QStringLiteral("第%1页打印失败！").arg(page));
    }
}

void PrintToFile(QWidget* parent, QPrinter& printer, const PageSource& pages, const QList<int>& chosen,
                 double pageDpi)
{
    // A file has no edge a printer cannot reach, and Qt's default margins would move every
    // label: the layout's millimetres are measured from the paper's corner.
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    bool pageAdded = true;
    const bool printed = PageSink::instance().PrintJob(printer, kJobName, [&](QPainter& painter) {
        for (qsizetype i = 0; i < chosen.size() && pageAdded; ++i) {
            pageAdded = i == 0 || printer.newPage();
            if (pageAdded)
                DrawScaled(painter, pages, chosen[i], pageDpi);
        }
    });
    if (!printed || !pageAdded)
        showMessage(parent, QStringLiteral("打印到文件%1失败！").arg(QDir::toNativeSeparators(printer.outputFileName())));
}
}

void Print(QWidget* parent, const PageSource& pages, double pageDpi)
{
    QPrinter printer(QPrinter::HighResolution);
    // Queues often default to Letter; the pages are laid out on A4.
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(false);
    const int count = pages.PageCount();
    const std::optional<PageRanges> ranges = PrintChooser::instance().ChoosePages(parent, printer, count);
    if (!ranges)
        return;
    const std::optional<QList<int>> chosen = PagesOf(*ranges, count);
    if (!chosen)
        return showMessage(parent, QStringLiteral("打印范围非法！"));
    // A file holds every page chosen; a new job would overwrite it.
    if (printer.outputFileName().isEmpty())
        PrintEach(parent, printer, pages, *chosen, pageDpi);
    else
        PrintToFile(parent, printer, pages, *chosen, pageDpi);
}

bool ConfirmCodes(QWidget* parent, const QStringList& codes, int pitch)
{
    const QString question = PrintCheck::Question(codes, pitch);
    return question.isEmpty()
        || askQuestion(parent, question, programCaption(), QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}
