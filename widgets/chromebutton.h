#pragma once

#include <QRect>
#include <QWidget>

class TImage;

// A window button drawn by three pictures on the same spot, exactly one of
// them visible: normal, highlight (the pointer is over it) and down (pressed).
// Only the normal picture reacts to moves and only the highlight picture to
// presses and clicks.
//
// The button itself takes the mouse, not its pictures: a press swaps the
// visible picture, and hiding the widget that took the press would make Qt
// drop the matching release, so a click would need a second try.
class ChromeButton : public QWidget {
    Q_OBJECT
public:
    enum State { Normal, Highlight, Down };

    // The places are in the parent's coordinates; the button covers both.
    ChromeButton(QWidget *parent, const QString &picturePrefix, QRect normalPlace, QRect pressedPlace);

    State state() const { return m_state; }
    void setState(State state);

    TImage *normal() const { return m_normal; }
    TImage *highlight() const { return m_highlight; }
    TImage *down() const { return m_down; }

    // Whether a release on the down picture shows the normal one again (the
    // picture list window's button does, the memo window's not).
    void setReleaseRestores(bool restores) { m_releaseRestores = restores; }

signals:
    void hovered();
    void pressed();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TImage *picture(State state) const;
    void hover();

    TImage *m_normal;
    TImage *m_highlight;
    TImage *m_down;
    State m_state = Normal;
    bool m_leftPressed = false;
    bool m_releaseRestores = false;
};
