#include "widgets/panels.h"

#include <QPainter>

FilledPanel::FilledPanel(QWidget *parent, const QColor &fill, const QColor &outline)
    : QWidget(parent)
    , m_fill(fill)
    , m_outline(outline)
{
    setMouseTracking(true);
}

void FilledPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_fill);
    if (m_outline.isValid()) {
        painter.setPen(m_outline);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

BevelPanel::BevelPanel(QWidget *parent)
    : QWidget(parent)
{
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The rings run along the outermost pixels: a QRect's right() and
    // bottom() are its last pixels.
    const QRect outer = rect();
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    painter.fillRect(rect(), Qt::white);
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    // Raised outside: light top-left, shadow bottom-right; lowered inside the reverse.
    painter.setPen(light);
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(shadow);
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    painter.setPen(shadow);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(light);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}
