#include "widgets/chromebutton.h"

#include "widgets/picturecontrol.h"

#include <QMouseEvent>

ChromeButton::ChromeButton(QWidget *parent, const QString &picturePrefix, QRect normalPlace, QRect pressedPlace)
    : QWidget(parent)
    , m_normal(new TImage(this, picturePrefix + QStringLiteral("_normal.png")))
    , m_highlight(new TImage(this, picturePrefix + QStringLiteral("_highlight.png")))
    , m_down(new TImage(this, picturePrefix + QStringLiteral("_down.png")))
{
    const QRect covered = normalPlace.united(pressedPlace);
    setGeometry(covered);
    setMouseTracking(true);
    m_normal->setGeometry(normalPlace.translated(-covered.topLeft()));
    m_highlight->setGeometry(pressedPlace.translated(-covered.topLeft()));
    m_down->setGeometry(pressedPlace.translated(-covered.topLeft()));
    for (TImage *image : {m_normal, m_highlight, m_down})
        image->setAttribute(Qt::WA_TransparentForMouseEvents);
    setState(Normal);
}

TImage *ChromeButton::picture(State state) const
{
    return state == Normal ? m_normal : state == Highlight ? m_highlight : m_down;
}

void ChromeButton::setState(State state)
{
    m_state = state;
    for (State each : {Normal, Highlight, Down})
        picture(each)->setVisible(each == state);
}

void ChromeButton::hover()
{
    setState(Highlight);
    emit hovered();
}

void ChromeButton::mouseMoveEvent(QMouseEvent *event)
{
    if (m_state == Normal && event->buttons() == Qt::NoButton
        && m_normal->geometry().contains(event->position().toPoint()))
        hover();
}

void ChromeButton::mousePressEvent(QMouseEvent *event)
{
    // A press comes with the pointer over the button even where no move
    // was reported before it (the window just appeared under the pointer).
    if (m_state == Normal)
        hover();
    m_leftPressed = event->button() == Qt::LeftButton;
    setState(Down);
    emit pressed();
}

void ChromeButton::mouseReleaseEvent(QMouseEvent *event)
{
    // Qt reports the release to the pressed widget wherever the pointer is.
    const bool click = m_leftPressed && event->button() == Qt::LeftButton
        && m_down->geometry().contains(event->position().toPoint());
    m_leftPressed = false;
    if (m_releaseRestores)
        setState(Normal);
    if (click)
        emit clicked();
}
