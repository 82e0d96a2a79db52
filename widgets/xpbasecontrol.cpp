#include "widgets/xpbasecontrol.h"

#include <QCursor>
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

void TXPBaseControl::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_crossedSinceShown = false;
    // Looked at once the window is in its place: a dialog moves itself
    // after its controls have shown.
    QMetaObject::invokeMethod(this, &TXPBaseControl::readPointer, Qt::QueuedConnection);
}

void TXPBaseControl::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    notePointerInside(false);
}

void TXPBaseControl::readPointer()
{
    // A crossing the platform reported since knows better.
    if (isVisible() && !m_crossedSinceShown)
        notePointerInside(rect().contains(mapFromGlobal(QCursor::pos())));
}

void TXPBaseControl::enterEvent(QEnterEvent *)
{
    m_crossedSinceShown = true;
    notePointerInside(true);
}

void TXPBaseControl::leaveEvent(QEvent *)
{
    m_crossedSinceShown = true;
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
