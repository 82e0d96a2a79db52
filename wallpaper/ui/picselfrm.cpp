#include "wallpaper/ui/picselfrm.h"

TPicSelFrm::TPicSelFrm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("背景图片选择"));
}
