#pragma once

#include <QObject>
#include <QString>

// Shows a local page in the desktop's viewer through xdg-open and tells when nothing
// showed it: xdg-open missing, or finding no program for the page. (The desktop services
// of Qt report success as soon as xdg-open starts, even when it then finds no viewer.)
class PageViewer : public QObject {
    Q_OBJECT
public:
    explicit PageViewer(QObject* parent = nullptr);

    void open(const QString& path);

signals:
    void failed(const QString& path);
};
