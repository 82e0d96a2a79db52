#pragma once

#include <QColor>
#include <QWidget>

// A plain panel: a filled rectangle with an optional one-pixel outline.
class FilledPanel : public QWidget {
    Q_OBJECT
public:
    FilledPanel(QWidget *parent, const QColor &fill, const QColor &outline = QColor());

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
    QColor m_outline;
};

// A white panel with a raised outer and a lowered inner bevel, one pixel
// each, the frame of the board.
class BevelPanel : public QWidget {
    Q_OBJECT
public:
    explicit BevelPanel(QWidget *parent);
    static constexpr int kBevelWidth = 2;

protected:
    void paintEvent(QPaintEvent *event) override;
};
