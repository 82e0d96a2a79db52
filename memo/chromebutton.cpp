#include "memo/chromebutton.h"

#include "memo/picturecontrol.h"


ChromeButton::ChromeButton(QWidget *parent, const QString &picturePrefix, QRect normalPlace, QRect pressedPlace)
    : QObject(parent)
    , m_normal(new TImage(parent, picturePrefix + QStringLiteral("_normal.png")))
    , m_highlight(new TImage(parent, picturePrefix + QStringLiteral("_highlight.png")))
    , m_down(new TImage(parent, picturePrefix + QStringLiteral("_down.png")))
{
    m_normal->setGeometry(normalPlace);
    m_highlight->setGeometry(pressedPlace);
    m_down->setGeometry(pressedPlace);
    setState(Normal);

    connect(m_normal, &TImage::mouseMoved, this, [this] {
        setState(Highlight);
        emit hovered();
    });
    connect(m_highlight, &TImage::mousePressed, this, [this](Qt::MouseButton button) {
        m_leftPressed = button == Qt::LeftButton;
        setState(Down);
        // Hiding the pressed picture ends Qt's implicit grab, and the
        // release would reach no picture at all: the down picture takes it.
        m_down->grabMouse();
        emit pressed();
    });
    // The press hides the highlight picture, so the release may reach either
    // picture depending on where the platform keeps the mouse grab.
    auto onRelease = [this](Qt::MouseButton button, bool inside) {
        if (button == Qt::LeftButton)
            release(inside);
    };
    connect(m_highlight, &TImage::mouseReleased, this, onRelease);
    connect(m_down, &TImage::mouseReleased, this, onRelease);
}

void ChromeButton::setState(State state)
{
    m_state = state;
    m_normal->setVisible(state == Normal);
    m_highlight->setVisible(state == Highlight);
    m_down->setVisible(state == Down);
    if (state != Normal)
        (state == Highlight ? m_highlight : m_down)->raise();
}

void ChromeButton::release(bool inside)
{
    m_down->releaseMouse();
    const bool click = m_leftPressed && inside;
    m_leftPressed = false;
    if (m_releaseRestores)
        setState(Normal);
    if (click)
        emit clicked();
}
