#pragma once

#include <QLabel>
#include <QPixmap>

// A picture on a window that reports presses, moves and clicks, like the
// picture controls the windows are designed with. A click is a left-button
// press and release on the same picture.
class TImage : public QLabel {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent, const QString &resource = QString(), bool stretch = false);

    void setPicture(const QString &resource);

signals:
    void mousePressed(Qt::MouseButton button);
    // `inside`: the release happened over this picture.
    void mouseReleased(Qt::MouseButton button, bool inside);
    void mouseMoved();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool m_leftDown = false;
};
