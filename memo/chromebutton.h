#pragma once

#include <QObject>
#include <QRect>

class TImage;
class QWidget;

// A window button drawn by three pictures on the same spot, exactly one of
// them visible: normal, highlight (the pointer is over it) and down (pressed).
// Only the normal picture reacts to moves and only the highlight picture to
// presses and clicks.
class ChromeButton : public QObject {
    Q_OBJECT
public:
    enum State { Normal, Highlight, Down };

    ChromeButton(QWidget *parent, const QString &picturePrefix, QRect normalPlace, QRect pressedPlace);

    State state() const { return m_state; }
    void setState(State state);

    TImage *normal() const { return m_normal; }
    TImage *highlight() const { return m_highlight; }
    TImage *down() const { return m_down; }

    // Whether a left-button release on the down picture shows the normal one
    // again (the picture list window's button does, the memo window's not).
    void setReleaseRestores(bool restores) { m_releaseRestores = restores; }

signals:
    void hovered();
    void pressed();
    void clicked();

private:
    void release(bool inside);

    TImage *m_normal;
    TImage *m_highlight;
    TImage *m_down;
    State m_state = Normal;
    bool m_leftPressed = false;
    bool m_releaseRestores = false;
};
