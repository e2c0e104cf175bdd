#include "controls/ButtonIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace {

QIcon lamp(bool bright)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 60, 0), 2));
    painter.setBrush(bright ? QColor(0, 255, 0) : QColor(0, 100, 0));
    painter.drawEllipse(QRectF(3, 3, 26, 26));
    return QIcon(pixmap);
}

QIcon picture(const char* name) { return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name))); }

QIcon styleIcon(QStyle::StandardPixmap which) { return QApplication::style()->standardIcon(which); }

} // namespace

QIcon resourceIcon(int resourceId)
{
    switch (resourceId) {
    case 128:
    case 224: return picture("app");
    case 135: return styleIcon(QStyle::SP_FileDialogDetailedView);
    case 143: return picture("lendquery");
    case 187: return picture("password");
    case 188: return picture("operator");
    case 192:
    case 265: return styleIcon(QStyle::SP_FileDialogContentsView);
    case 199: return styleIcon(QStyle::SP_DialogApplyButton);
    case 202: return styleIcon(QStyle::SP_DialogSaveButton);
    case 205:
    case 215: return picture("exit");
    case 206: return picture("reader");
    case 207: return picture("booklend");
    case 210: return styleIcon(QStyle::SP_FileDialogNewFolder);
    case 211: return styleIcon(QStyle::SP_TrashIcon);
    case 213: return lamp(false);
    case 214: return lamp(true);
    case 216: return styleIcon(QStyle::SP_DialogResetButton);
    case 242: return picture("bookquery");
    case 266: return styleIcon(QStyle::SP_FileDialogInfoView);
    case 267: return styleIcon(QStyle::SP_DriveFDIcon);
    case 283: return styleIcon(QStyle::SP_ArrowDown);
    case 284: return styleIcon(QStyle::SP_ArrowUp);
    case 313: return picture("bookadd");
    case 315: return picture("periodicallend");
    default: return {};
    }
}
