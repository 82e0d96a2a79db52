// The pictures of the picture list window and the confirmation box.
#include "painting.h"

#include <QFont>
#include <QPainter>

namespace {

QImage listTitle()
{
    QImage image = blankPicture(200, 57);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // A small framed landscape in front of the words.
    painter.setPen(QPen(QColor(70, 120, 180), 1.5));
    painter.setBrush(QColor(190, 220, 250));
    painter.drawRect(QRectF(8, 14, 34, 28));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(110, 170, 110));
    painter.drawPolygon(QPolygonF({QPointF(9, 41), QPointF(20, 26), QPointF(29, 35), QPointF(34, 30), QPointF(41, 41)}));
    painter.setBrush(QColor(250, 200, 60));
    painter.drawEllipse(QPointF(33, 21), 3.5, 3.5);
    QFont font(pictureFontFamily());
    font.setPixelSize(26);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(31, 78, 140));
    painter.drawText(QRect(50, 4, 150, 48), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("默认背景"));
    return image;
}

QImage closeButton(const QColor &top, const QColor &bottom, const QColor &cross)
{
    QImage image = verticalGradient(39, 20, top, bottom);
    drawCloseCross(image, cross);
    return image;
}

QImage questionSign()
{
    QImage image = blankPicture(45, 46);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(18, 16), 28);
    gradient.setColorAt(0, QColor(255, 196, 90));
    gradient.setColorAt(1, QColor(240, 120, 10));
    painter.setPen(QPen(QColor(206, 96, 0), 1.5));
    painter.setBrush(gradient);
    painter.drawEllipse(QRectF(1.5, 2.0, 42, 42));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(19.5, 9, 6, 21), 3, 3);
    painter.drawEllipse(QRectF(19.5, 33, 6, 6));
    return image;
}

} // namespace

std::vector<PictureRecipe> dialogPictures()
{
    return {
        {QStringLiteral("picsel_logo.png"), listTitle},
        {QStringLiteral("picsel_close_normal.png"),
         [] { return closeButton(QColor(226, 226, 226), QColor(196, 196, 196), QColor(90, 90, 90)); }},
        {QStringLiteral("picsel_close_highlight.png"),
         [] { return closeButton(QColor(255, 80, 60), QColor(228, 30, 20), Qt::white); }},
        {QStringLiteral("picsel_close_down.png"),
         [] { return closeButton(QColor(176, 30, 20), QColor(130, 14, 8), Qt::white); }},
        {QStringLiteral("infor_question.png"), questionSign},
    };
}
