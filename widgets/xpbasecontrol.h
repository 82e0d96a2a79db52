#pragma once

#include <QWidget>

// The root of the styled controls. It turns Qt's enter, leave and focus
// events into notifications that come once per crossing, and it follows the
// pointer while a mouse button is held on the control, which Qt does not
// report as enter and leave. Nor does Qt report the pointer leaving when the
// control's window closes under it: hidden, the control is under no
// pointer, and shown again it looks where the pointer is.
class TXPBaseControl : public QWidget {
    Q_OBJECT

public:
    explicit TXPBaseControl(QWidget *parent = nullptr);

    bool pointerInside() const { return m_pointerInside; }

signals:
    void mouseEntered();
    void mouseLeft();

protected:
    // The notifications; the base ones fire the signals.
    virtual void mouseEnter();
    virtual void mouseLeave();
    virtual void focusChanged(bool gained);

    // For a pointer that arrived while another control held the mouse.
    void notePointerInside(bool inside);

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void readPointer();

    bool m_pointerInside = false;
    bool m_crossedSinceShown = false;
};
