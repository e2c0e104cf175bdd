#include "app/BackgroundPicture.h"

#include <QImageReader>
#include <QPainter>

BackgroundPicture::BackgroundPicture(QString path, QWidget* parent) : QWidget(parent), m_path(std::move(path))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BackgroundPicture::paintEvent(QPaintEvent*)
{
    QImageReader reader(m_path);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), picture);
}
