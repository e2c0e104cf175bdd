#include "app/PageViewer.h"

#include <QProcess>

PageViewer::PageViewer(QObject* parent) : QObject(parent) {}

void PageViewer::open(const QString& path)
{
    auto* opener = new QProcess(this);
    // xdg-open may wait for the viewer to close; its output is of no use to the librarian.
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    connect(opener, &QProcess::errorOccurred, this, [this, opener, path](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        emit failed(path);
        opener->deleteLater();
    });
    connect(opener, &QProcess::finished, this, [this, opener, path](int exitCode, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || exitCode != 0)
            emit failed(path);
        opener->deleteLater();
    });
    opener->start(QStringLiteral("xdg-open"), {path});
}
