#pragma once

class QMenu;
class QWidget;

// Makes `menu` the popup menu of `control`: from now on a right click on the
// control opens the menu at the pointer. Attaching it again changes nothing.
void attachPopupMenu(QWidget *control, QMenu *menu);
