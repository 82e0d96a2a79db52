#pragma once

#include <QEvent>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

// Moves and resizes a borderless window. Moving starts from a press on the
// window's background, once the pointer has moved the platform's drag
// distance with the button still held; resizing from a press within a few
// pixels of an edge or corner, which also shows the matching cursor. Both
// hand the work to the window manager, and where it refuses (no window
// manager, for one) the window follows the mouse until the button is
// released.
class FrameMover : public QObject {
    Q_OBJECT
public:
    explicit FrameMover(QWidget *window);

    static constexpr int kEdgeWidth = 4;

    // A move from the press being handled: the window moves once the
    // pointer has travelled the drag distance with that button held. A
    // click that does not travel so far moves nothing: handed to the window
    // manager at once, a press already released by the time it arrives
    // leaves the window following a pointer with no button held.
    void startMove();

    // Fixed-size windows turn edge resizing off; moving stays.
    void setResizable(bool resizable) { m_resizable = resizable; }

    // A control at an edge (the window's own buttons) takes its presses
    // itself: there the edge neither resizes nor shows a sizing cursor.
    void giveWayTo(QWidget *control) { m_controlsOnEdges.append(control); }

    // The edges under a point of the window's client area.
    static Qt::Edges edgesAt(QPoint position, QSize client);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongsToWindow(QObject *object) const;
    bool onControl(const QWidget *widget) const;
    void updateCursor(Qt::Edges edges);
    bool startResize(Qt::Edges edges, QPoint globalPosition);
    // A move waits for the pointer: true when `mouse` ended the wait.
    bool waitForMoveDrag(QEvent::Type type, const QMouseEvent *mouse);
    void beginMove(QPoint globalPosition);
    void follow(QPoint globalPosition);
    void finishFollowing();

    QWidget *m_window;
    bool m_resizable = true;
    QList<QWidget *> m_controlsOnEdges;
    bool m_cursorOverridden = false;
    Qt::Edges m_cursorEdges;
    // Following the mouse by hand: the edges being dragged (none for a move).
    bool m_following = false;
    Qt::Edges m_followEdges;
    QPoint m_pressGlobal;
    // Where the last press in the window happened, on the screen, and with
    // which button.
    QPoint m_lastPressGlobal;
    Qt::MouseButton m_lastPressButton = Qt::NoButton;
    // A move waits for the pointer to travel with this button held.
    Qt::MouseButton m_moveButton = Qt::NoButton;
    QRect m_pressGeometry;
};
