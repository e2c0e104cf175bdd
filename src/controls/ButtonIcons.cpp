#include "controls/ButtonIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

QIcon buttonIcon(ButtonIcon which)
{
    QStyle* style = QApplication::style();
    switch (which) {
    case ButtonIcon::Search:
        return style->standardIcon(QStyle::SP_FileDialogContentsView);
    case ButtonIcon::Confirm:
        return style->standardIcon(QStyle::SP_DialogApplyButton);
    case ButtonIcon::Add:
        return style->standardIcon(QStyle::SP_FileDialogNewFolder);
    case ButtonIcon::Delete:
        return style->standardIcon(QStyle::SP_TrashIcon);
    case ButtonIcon::ClearAll:
        return style->standardIcon(QStyle::SP_DialogResetButton);
    case ButtonIcon::MoveDown:
        return style->standardIcon(QStyle::SP_ArrowDown);
    case ButtonIcon::MoveUp:
        return style->standardIcon(QStyle::SP_ArrowUp);
    }
    return {};
}

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
    case 265: return buttonIcon(ButtonIcon::Search);
    case 199: return buttonIcon(ButtonIcon::Confirm);
    case 202: return styleIcon(QStyle::SP_DialogSaveButton);
    case 205:
    case 215: return picture("exit");
    case 206: return picture("reader");
    case 207: return picture("booklend");
    case 210: return buttonIcon(ButtonIcon::Add);
    case 211: return buttonIcon(ButtonIcon::Delete);
    case 213: return lamp(false);
    case 214: return lamp(true);
    case 216: return buttonIcon(ButtonIcon::ClearAll);
    case 242: return picture("bookquery");
    case 266: return styleIcon(QStyle::SP_FileDialogInfoView);
    case 267: return styleIcon(QStyle::SP_DriveFDIcon);
    case 283: return buttonIcon(ButtonIcon::MoveDown);
    case 284: return buttonIcon(ButtonIcon::MoveUp);
    case 313: return picture("bookadd");
    case 315: return picture("periodicallend");
    default: return {};
    }
}
