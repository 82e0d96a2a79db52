#pragma once

#include "widgets/xpbasecontrol.h"

#include <QString>

// The state, redraw rules, click and accelerator of the styled controls.
// Hot, pressed and focused drive the painting; clicking marks a left button
// that went down here and is not yet up; sibling tells whether the window's
// focused control is a styled control too, which decides whether a default
// button answers Enter.
class TXPCustomControl : public TXPBaseControl {
    Q_OBJECT

public:
    explicit TXPCustomControl(QWidget *parent = nullptr);
    ~TXPCustomControl() override;

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Given to the dialog the control sits on when it is clicked; 0 is none.
    int ModalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }

    // Redraws are held back between these two calls; the second redraws.
    void beginUpdate();
    void endUpdate();

signals:
    void clicked();

public slots:
    // Closes the dialog with ModalResult when that is not 0, then fires clicked().
    virtual void click();

protected:
    bool isHot() const { return m_hot; }
    bool isPressed() const { return m_pressed; }
    bool isFocused() const { return m_focused; }
    bool isSibling() const { return m_sibling; }
    void setHot(bool hot) { m_hot = hot; }
    void setPressed(bool pressed) { m_pressed = pressed; }

    bool canTakeFocus() const;
    void redraw();
    // Lets every styled control of the window look again at which control
    // has the focus.
    void notifyFocusChangeInWindow();
    // Re-registers the accelerator after its visibility changed.
    void updateAccelerator();
    virtual bool showsAccelerator() const { return true; }

    // Hooks; each base hook keeps the state and redraws.
    virtual void captionChanged();
    virtual void enabledChanged();
    void focusChanged(bool gained) override;
    virtual void mouseDown(Qt::MouseButton button);
    void mouseEnter() override;
    void mouseLeave() override;
    virtual void mouseUp(Qt::MouseButton button, QPoint position);
    virtual void parentColorChanged();
    virtual void sizeChanged();

    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool refreshSibling();
    void windowFocusChanged(QWidget *now);

    QMetaObject::Connection m_windowFocus;
    QString m_caption;
    int m_modalResult = 0;
    int m_acceleratorId = 0;
    bool m_hot = false;
    bool m_pressed = false;
    bool m_focused = false;
    bool m_clicking = false;
    bool m_locked = false;
    bool m_sibling = false;
};
