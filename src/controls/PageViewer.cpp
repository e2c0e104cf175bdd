#include "controls/PageViewer.h"

#include <QDialog>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 800;
constexpr int kHeight = 600;
}

bool showPage(QWidget* owner, const QString& path)
{
    const QFileInfo page(path);
    if (!page.isFile() || !page.isReadable())
        return false;
    // A child of the asking window, so that the modal window it stands beside leaves it usable.
    auto* window = new QDialog(owner ? owner->window() : nullptr, Qt::Window);
    window->setObjectName(QStringLiteral("m_dlgPage"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("m_txtPage"));
    browser->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    const QString title = browser->documentTitle();
    window->setWindowTitle(title.isEmpty() ? page.fileName() : title);
    window->resize(kWidth, kHeight);
    window->show();
    return true;
}
