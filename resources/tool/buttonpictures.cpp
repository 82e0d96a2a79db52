// The picture buttons of the memo window's header and left panel.
#include "painting.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

QFont wordFont(int pixelSize, bool bold)
{
    QFont font(pictureFontFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// A rounded glossy button with a caption.
QImage captionButton(int width, int height, const QString &caption, int pixelSize, const QColor &top,
                     const QColor &bottom, const QColor &border)
{
    QImage image = blankPicture(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF body(0.5, 0.5, width - 1.0, height - 1.0);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.setPen(QPen(border, 1));
    painter.setBrush(gradient);
    const qreal radius = height / 5.0;
    painter.drawRoundedRect(body, radius, radius);
    QLinearGradient gloss(0, 0, 0, height / 2.0);
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1, QColor(255, 255, 255, 30));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawRoundedRect(QRectF(2, 1.5, width - 4.0, height / 2.0 - 1), radius, radius);
    painter.setFont(wordFont(pixelSize, true));
    painter.setPen(QColor(0, 0, 0, 70));
    painter.drawText(QRectF(1, 1, width, height), Qt::AlignCenter, caption);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, width, height), Qt::AlignCenter, caption);
    return image;
}

QImage fontGlyph()
{
    QImage image = blankPicture(20, 17);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(16);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(31, 78, 140));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("T"));
    painter.fillRect(QRect(13, 12, 6, 3), QColor(200, 30, 30));
    return image;
}

QImage dateWord()
{
    QImage image = blankPicture(44, 15);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QPen(QColor(70, 120, 180), 1));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 43, 14), 3, 3);
    painter.setFont(wordFont(11, true));
    painter.setPen(QColor(31, 78, 140));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("日期"));
    return image;
}

QImage redSwatch()
{
    QImage image = blankPicture(20, 11, QColor(120, 0, 0));
    QPainter painter(&image);
    painter.fillRect(QRect(1, 1, 18, 9), QColor(230, 20, 20));
    return image;
}

} // namespace

std::vector<PictureRecipe> buttonPictures()
{
    return {
        {QStringLiteral("main_apptodesk.png"),
         [] {
             return captionButton(84, 29, QStringLiteral("添加到桌面"), 13, QColor(255, 166, 77),
                                  QColor(236, 104, 20), QColor(196, 84, 16));
         }},
        {QStringLiteral("main_addtodesk.png"),
         [] {
             return captionButton(200, 93, QStringLiteral("选择壁纸"), 34, QColor(102, 170, 238),
                                  QColor(40, 110, 200), QColor(30, 84, 160));
         }},
        {QStringLiteral("main_font.png"), fontGlyph},
        {QStringLiteral("main_date.png"), dateWord},
        {QStringLiteral("main_redcolor.png"), redSwatch},
    };
}
