#include "widgets/picturecontrol.h"

#include <QMouseEvent>

TImage::TImage(QWidget *parent, const QString &resource, bool stretch)
    : QLabel(parent)
{
    setMouseTracking(true);
    setScaledContents(stretch);
    if (!resource.isEmpty())
        setPicture(resource);
}

void TImage::setPicture(const QString &resource)
{
    const QPixmap pixmap(resource);
    setPixmap(pixmap);
    if (!hasScaledContents())
        resize(pixmap.size());
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    emit mousePressed(event->button());
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool inside = rect().contains(event->position().toPoint());
    const bool click = event->button() == Qt::LeftButton && m_leftDown && inside;
    if (event->button() == Qt::LeftButton)
        m_leftDown = false;
    emit mouseReleased(event->button(), inside);
    if (click)
        emit clicked();
}

void TImage::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    emit mouseMoved();
}
