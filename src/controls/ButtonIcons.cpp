#include "controls/ButtonIcons.h"

#include <QApplication>
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
