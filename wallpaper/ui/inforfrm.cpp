#include "wallpaper/ui/inforfrm.h"

TInforFrm::TInforFrm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
}
