#include "widgets/framemover.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

FrameMover::FrameMover(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

Qt::Edges FrameMover::edgesAt(QPoint position, QSize client)
{
    Qt::Edges edges;
    if (position.x() < kEdgeWidth)
        edges |= Qt::LeftEdge;
    if (position.x() >= client.width() - kEdgeWidth)
        edges |= Qt::RightEdge;
    if (position.y() < kEdgeWidth)
        edges |= Qt::TopEdge;
    if (position.y() >= client.height() - kEdgeWidth)
        edges |= Qt::BottomEdge;
    return edges;
}

bool FrameMover::belongsToWindow(QObject *object) const
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget && widget->window() == m_window;
}

bool FrameMover::onControl(const QWidget *widget) const
{
    for (const QWidget *control : m_controlsOnEdges)
        if (control == widget || control->isAncestorOf(widget))
            return true;
    return false;
}

void FrameMover::startMove()
{
    m_moveButton = m_lastPressButton;
}

bool FrameMover::waitForMoveDrag(QEvent::Type type, const QMouseEvent *mouse)
{
    if (type == QEvent::MouseButtonRelease || !(mouse->buttons() & m_moveButton)) {
        m_moveButton = Qt::NoButton;
        return false;
    }
    const QPoint at = mouse->globalPosition().toPoint();
    if (type != QEvent::MouseMove || (at - m_lastPressGlobal).manhattanLength() < QApplication::startDragDistance())
        return false;
    m_moveButton = Qt::NoButton;
    beginMove(at);
    return true;
}

void FrameMover::beginMove(QPoint globalPosition)
{
    QWindow *handle = m_window->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    m_following = true;
    m_followEdges = {};
    m_pressGlobal = m_lastPressGlobal;
    m_pressGeometry = m_window->frameGeometry();
    follow(globalPosition);
}

bool FrameMover::startResize(Qt::Edges edges, QPoint globalPosition)
{
    QWindow *handle = m_window->windowHandle();
    if (handle && handle->startSystemResize(edges))
        return true;
    m_following = true;
    m_followEdges = edges;
    m_pressGlobal = globalPosition;
    m_pressGeometry = m_window->geometry();
    return true;
}

void FrameMover::follow(QPoint globalPosition)
{
    const QPoint delta = globalPosition - m_pressGlobal;
    if (!m_followEdges) {
        m_window->move(m_pressGeometry.topLeft() + delta);
        return;
    }
    QRect target = m_pressGeometry;
    const QSize minimum = m_window->minimumSize();
    if (m_followEdges & Qt::LeftEdge)
        target.setLeft(std::min(target.left() + delta.x(), target.right() + 1 - minimum.width()));
    if (m_followEdges & Qt::RightEdge)
        target.setRight(std::max(target.right() + delta.x(), target.left() + minimum.width() - 1));
    if (m_followEdges & Qt::TopEdge)
        target.setTop(std::min(target.top() + delta.y(), target.bottom() + 1 - minimum.height()));
    if (m_followEdges & Qt::BottomEdge)
        target.setBottom(std::max(target.bottom() + delta.y(), target.top() + minimum.height() - 1));
    m_window->setGeometry(target);
}

void FrameMover::finishFollowing()
{
    m_following = false;
}

void FrameMover::updateCursor(Qt::Edges edges)
{
    if (edges == m_cursorEdges)
        return;
    m_cursorEdges = edges;
    if (m_cursorOverridden) {
        QApplication::restoreOverrideCursor();
        m_cursorOverridden = false;
    }
    Qt::CursorShape shape = Qt::ArrowCursor;
    const bool left = edges & Qt::LeftEdge, right = edges & Qt::RightEdge;
    const bool top = edges & Qt::TopEdge, bottom = edges & Qt::BottomEdge;
    if ((left && top) || (right && bottom))
        shape = Qt::SizeFDiagCursor;
    else if ((right && top) || (left && bottom))
        shape = Qt::SizeBDiagCursor;
    else if (left || right)
        shape = Qt::SizeHorCursor;
    else if (top || bottom)
        shape = Qt::SizeVerCursor;
    else
        return;
    QApplication::setOverrideCursor(shape);
    m_cursorOverridden = true;
}

bool FrameMover::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Leave && watched == m_window) {
        updateCursor({});
        return false;
    }
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (m_moveButton != Qt::NoButton && waitForMoveDrag(type, mouse))
        return true;
    if (m_following) {
        if (type == QEvent::MouseMove)
            follow(mouse->globalPosition().toPoint());
        if (type != QEvent::MouseButtonRelease)
            return true;
        // The release goes on to the pressed widget, so Qt ends its press
        // and the pointer's moves reach the widgets under it again.
        finishFollowing();
        return false;
    }
    if (!belongsToWindow(watched))
        return false;
    const QPoint local = m_window->mapFromGlobal(mouse->globalPosition().toPoint());
    const bool sizable = m_resizable && !m_window->isMaximized() && !onControl(static_cast<QWidget *>(watched));
    const Qt::Edges edges = sizable ? edgesAt(local, m_window->size()) : Qt::Edges();
    if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
        updateCursor(edges);
        return false;
    }
    if (type == QEvent::MouseButtonPress) {
        m_lastPressGlobal = mouse->globalPosition().toPoint();
        m_lastPressButton = mouse->button();
    }
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && edges)
        return startResize(edges, mouse->globalPosition().toPoint());
    return false;
}
