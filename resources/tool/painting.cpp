#include "painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

QImage blankPicture(int width, int height, const QColor &fill)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

QImage verticalGradient(int width, int height, const QColor &top, const QColor &bottom)
{
    QImage image = blankPicture(width, height);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillRect(image.rect(), gradient);
    return image;
}

QString pictureFontFamily()
{
    return QStringLiteral("Noto Sans CJK SC");
}

void drawCloseCross(QImage &image, const QColor &color)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(image.width() / 2.0, image.height() / 2.0);
    const qreal arm = 4.0;
    painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
    painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
}

void drawMinimiseBar(QImage &image, const QColor &color)
{
    QPainter painter(&image);
    const int y = image.height() / 2 + 3;
    painter.fillRect(QRect(image.width() / 2 - 5, y, 10, 2), color);
}
