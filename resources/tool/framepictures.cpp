// The memo window's background, logo and chrome.
#include "painting.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kWindowBlue(216, 227, 243);

QImage logo()
{
    QImage image = blankPicture(210, 56);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // A small note sheet with a folded corner.
    QPainterPath sheet;
    sheet.moveTo(6, 10);
    sheet.lineTo(34, 10);
    sheet.lineTo(42, 18);
    sheet.lineTo(42, 48);
    sheet.lineTo(6, 48);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(70, 120, 180), 1.5));
    painter.setBrush(QColor(255, 251, 214));
    painter.drawPath(sheet);
    painter.setPen(QPen(QColor(150, 170, 200), 1.2));
    for (int y = 22; y <= 42; y += 6)
        painter.drawLine(12, y, 36, y);
    painter.setBrush(QColor(230, 220, 170));
    painter.setPen(QPen(QColor(70, 120, 180), 1.2));
    painter.drawPolygon(QPolygonF({QPointF(34, 10), QPointF(34, 18), QPointF(42, 18)}));

    QFont font(pictureFontFamily());
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(QRect(53, 5, 150, 46), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("备忘录"));
    painter.setPen(QColor(31, 78, 140));
    painter.drawText(QRect(52, 4, 150, 46), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("备忘录"));
    return image;
}

QImage chrome(int width, const QColor &top, const QColor &bottom, bool cross)
{
    QImage image = top.alpha() == 0 ? blankPicture(width, 20) : verticalGradient(width, 20, top, bottom);
    if (cross)
        drawCloseCross(image);
    else
        drawMinimiseBar(image);
    return image;
}

} // namespace

std::vector<PictureRecipe> framePictures()
{
    return {
        {QStringLiteral("main_bg.png"), [] { return blankPicture(416, 289, kWindowBlue); }},
        {QStringLiteral("main_logo.png"), logo},
        {QStringLiteral("main_close_normal.png"), [] { return chrome(39, Qt::transparent, Qt::transparent, true); }},
        {QStringLiteral("main_close_highlight.png"),
         [] { return chrome(39, QColor(250, 120, 80), QColor(226, 60, 30), true); }},
        {QStringLiteral("main_close_down.png"),
         [] { return chrome(39, QColor(196, 48, 30), QColor(150, 24, 14), true); }},
        {QStringLiteral("main_mini_normal.png"), [] { return chrome(28, Qt::transparent, Qt::transparent, false); }},
        {QStringLiteral("main_mini_highlight.png"),
         [] { return chrome(28, QColor(150, 200, 245), QColor(96, 160, 225), false); }},
        {QStringLiteral("main_mini_down.png"),
         [] { return chrome(28, QColor(70, 130, 200), QColor(40, 90, 160), false); }},
    };
}
