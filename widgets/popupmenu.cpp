#include "widgets/popupmenu.h"

#include <QMenu>
#include <QWidget>

void attachPopupMenu(QWidget *control, QMenu *menu)
{
    if (control->contextMenuPolicy() == Qt::CustomContextMenu)
        return;
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(control, &QWidget::customContextMenuRequested, menu,
                     [control, menu](QPoint at) { menu->popup(control->mapToGlobal(at)); });
}
