#include "app/PageViewer.h"

#include <QProcess>

void openPage(const QString& path)
{
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({path});
    // xdg-open may wait for the viewer to close; its output is of no use to the librarian.
    opener.setStandardOutputFile(QProcess::nullDevice());
    opener.setStandardErrorFile(QProcess::nullDevice());
    opener.startDetached();
}
