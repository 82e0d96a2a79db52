#include "widgets/xpbasecontrol.h"

#include <QMouseEvent>

TXPBaseControl::TXPBaseControl(QWidget *parent)
    : QWidget(parent)
{
}

void TXPBaseControl::mouseEnter()
{
    emit mouseEntered();
}

void TXPBaseControl::mouseLeave()
{
    emit mouseLeft();
}

void TXPBaseControl::focusChanged(bool)
{
}

void TXPBaseControl::notePointerInside(bool inside)
{
    if (inside == m_pointerInside)
        return;
    m_pointerInside = inside;
    if (inside)
        mouseEnter();
    else
        mouseLeave();
}

void TXPBaseControl::enterEvent(QEnterEvent *)
{
    notePointerInside(true);
}

void TXPBaseControl::leaveEvent(QEvent *)
{
    notePointerInside(false);
}

void TXPBaseControl::focusInEvent(QFocusEvent *)
{
    focusChanged(true);
}

void TXPBaseControl::focusOutEvent(QFocusEvent *)
{
    focusChanged(false);
}

void TXPBaseControl::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::NoButton)
        notePointerInside(rect().contains(event->position().toPoint()));
}
