#include "circulation/CirculationIcons.h"

#include <QApplication>
#include <QStyle>

QIcon circulationIcon(CirculationIcon which)
{
    QStyle* style = QApplication::style();
    switch (which) {
    case CirculationIcon::Search:
        return style->standardIcon(QStyle::SP_FileDialogContentsView);
    case CirculationIcon::Confirm:
        return style->standardIcon(QStyle::SP_DialogApplyButton);
    case CirculationIcon::Add:
        return style->standardIcon(QStyle::SP_FileDialogNewFolder);
    case CirculationIcon::Delete:
        return style->standardIcon(QStyle::SP_TrashIcon);
    case CirculationIcon::ClearAll:
        return style->standardIcon(QStyle::SP_DialogResetButton);
    case CirculationIcon::LendAll:
        return style->standardIcon(QStyle::SP_ArrowDown);
    case CirculationIcon::ReturnAll:
        return style->standardIcon(QStyle::SP_ArrowUp);
    }
    return {};
}
