#include "widgets/xpcustomstylecontrol.h"

#include <QPainter>

#include <cmath>

TXPCustomStyleControl::TXPCustomStyleControl(QWidget *parent)
    : TXPCustomControl(parent)
{
}

void TXPCustomStyleControl::sizeChanged()
{
    rebuildPictures();
    redraw();
}

void TXPCustomStyleControl::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
    if (m_buffer.size() != pixels)
        m_buffer = QImage(pixels, QImage::Format_RGB32);
    m_buffer.setDevicePixelRatio(ratio);
    {
        QPainter painter(&m_buffer);
        painter.setRenderHint(QPainter::Antialiasing, false);
        paintControl(painter);
    }
    QPainter(this).drawImage(0, 0, m_buffer);
}
