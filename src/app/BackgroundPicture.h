#pragma once

#include <QWidget>

// The surface under the toolbar on which the library's picture is drawn, stretched to
// fill it. The picture file is read again at every paint, so a replaced picture shows
// at once; a missing or unreadable file draws nothing.
class BackgroundPicture : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundPicture(QString path, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_path;
};
